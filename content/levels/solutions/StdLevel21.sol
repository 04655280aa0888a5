# StdLevel21: found by plk_levelsolve, replayed by the level series test
seed 1
push 0 0 4 +z
push 3 0 5 -x
push 0 0 9 -z
push 0 0 6 +x
push 1 0 6 -z
push 1 0 5 +x
push 3 0 5 -z
push 3 0 3 +x
push 4 0 3 -z
push 4 0 2 +x
push 6 0 2 -z
push 6 0 1 +x
push 0 0 5 +x
push 3 0 5 -z
push 3 0 3 +x
push 4 0 3 -z
push 4 0 2 +x
push 6 0 2 -z
push 6 0 1 +x
