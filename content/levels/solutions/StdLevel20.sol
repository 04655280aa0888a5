# StdLevel20: found by plk_levelsolve, replayed by the level series test
seed 1
push 1 0 1 +z
push 0 0 1 +x
push 1 0 2 +x
push 3 0 7 -z
push 3 0 5 -x
push 6 0 5 -x
push 5 0 5 -z
push 5 0 4 -x
push 4 0 4 -z
push 4 0 2 -x
push 6 0 2 -x
push 2 0 5 -z
