# StdLevel13: found by plk_levelsolve, replayed by the level series test
seed 1
push 3 0 3 -z
push 4 0 2 -z
push 4 1 7 -x
push 4 1 3 -z
