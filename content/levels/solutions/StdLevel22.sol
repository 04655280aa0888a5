# StdLevel22: found by plk_levelsolve, replayed by the level series test
seed 1
push 0 0 1 +z
push 0 0 3 +x
push 2 0 3 +z
push 2 0 4 -x
push 1 0 4 +z
push 1 0 9 -x
push 0 0 9 -z
push 0 0 7 +x
push 4 0 7 -z
push 8 0 7 -x
push 6 0 7 +z
push 9 0 7 -x
push 6 0 9 -z
push 6 0 8 -x
push 4 0 4 +z
