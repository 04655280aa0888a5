# StdLevel21: found by plk_levelsolve, replayed by the level series test
seed 1
push 6 0 1 -x
push 5 0 1 -z
push 8 0 0 -x
push 5 0 0 +z
push 5 0 2 -x
push 4 0 2 +z
push 4 0 4 -x
push 2 0 4 +z
push 6 0 0 +z
push 6 0 1 -x
push 5 0 1 +z
push 5 0 2 -x
push 4 0 2 +z
push 4 0 4 -x
push 2 0 4 +z
push 2 0 7 -x
push 0 0 7 -z
push 2 0 6 -x
