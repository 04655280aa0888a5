# StdLevel21: found by plk_levelsolve, replayed by the level series test
seed 1
push 4 0 0 -x
push 2 1 0 +z
push 2 0 5 -z
push 2 0 0 +z
push 2 0 1 -x
push 0 0 1 +z
push 0 0 3 +x
push 2 0 3 +z
push 2 0 5 +x
push 4 0 5 +z
push 4 0 6 +x
push 1 0 3 +z
push 1 0 5 +x
push 4 0 5 +z
push 4 0 6 +x
push 6 0 3 +x
push 5 0 3 +x
push 8 0 3 +z
