# StdLevel19: found by plk_levelsolve, replayed by the level series test
seed 1
push 7 0 4 -x
push 7 1 5 -x
push 7 0 5 -z
push 3 1 5 +x
push 7 1 5 -z
push 6 0 5 +x
push 5 0 5 +x
push 3 1 4 +x
push 4 0 5 +x
push 6 0 5 -z
push 4 0 4 +z
push 4 0 5 +x
