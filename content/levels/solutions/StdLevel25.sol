# StdLevel25: found by plk_levelsolve, replayed by the level series test
seed 1
push 0 0 8 +x
push 1 0 8 -z
push 1 0 6 +x
push 4 0 4 -x
push 5 0 4 -x
push 5 0 3 +z
push 2 0 4 -z
push 5 0 4 -x
push 4 0 5 -z
push 4 0 4 -x
push 2 0 6 -z
push 0 0 4 +x
