# StdLevel21: found by plk_levelsolve, replayed by the level series test
seed 1
push 0 0 2 -z
push 2 0 0 -x
push 6 0 1 -z
push 6 0 8 +x
push 6 0 9 -x
push 6 0 7 +z
push 7 0 8 -x
push 6 0 8 -z
push 7 0 1 -x
push 7 0 0 +z
push 6 0 0 +x
push 6 0 1 -z
push 5 0 1 +x
push 8 0 8 -x
