# StdLevel19: found by plk_levelsolve, replayed by the level series test
seed 1
push 4 1 7 -x
push 4 1 5 -x
