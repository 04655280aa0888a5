# StdLevel22: found by plk_levelsolve, replayed by the level series test
seed 1
push 2 0 1 -x
push 0 0 1 +z
push 0 0 3 +x
push 2 0 3 +z
push 2 0 9 -x
push 1 0 9 -z
push 4 0 1 -x
push 0 0 1 +z
push 0 0 3 +x
push 9 0 7 -x
push 1 0 7 +z
push 1 0 9 +x
push 2 0 7 -z
push 2 0 9 -z
