# StdLevel20: found by plk_levelsolve, replayed by the level series test
seed 1
push 2 0 7 -z
push 3 0 7 -z
push 4 0 1 -z
