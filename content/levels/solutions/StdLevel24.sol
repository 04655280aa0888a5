# StdLevel24: found by plk_levelsolve, replayed by the level series test
seed 1
push 0 0 5 +z
push 1 0 9 -z
push 7 0 1 +z
push 7 0 2 -x
push 7 0 0 +z
push 6 0 2 +z
push 7 0 2 -x
push 6 0 3 -x
push 6 0 2 +z
push 4 0 3 +z
push 6 0 3 -x
push 4 0 3 +z
push 4 0 8 -x
push 1 0 6 +z
