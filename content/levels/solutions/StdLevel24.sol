# StdLevel24: found by plk_levelsolve, replayed by the level series test
seed 1
push 2 0 6 -z
push 2 0 5 -x
push 6 0 2 +z
push 6 0 5 -x
push 2 0 8 -z
