# StdLevel16: found by plk_levelsolve, replayed by the level series test
seed 1
push 0 0 8 -z
push 3 0 0 -x
push 0 0 0 +z
push 6 1 5 -x
push 6 1 4 -x
