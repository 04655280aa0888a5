# StdLevel22: found by plk_levelsolve, replayed by the level series test
seed 1
push 1 0 3 -x
push 2 0 3 -x
push 2 0 2 +z
push 3 0 5 -z
push 2 0 5 +x
push 1 0 5 +x
push 8 0 1 -x
push 7 0 1 -z
push 7 0 2 -z
push 6 0 2 +x
push 7 0 1 +x
push 7 0 2 -z
push 8 0 5 -x
push 8 0 6 -z
push 9 0 6 -x
push 9 0 5 +z
push 8 0 5 +x
push 8 0 6 -z
