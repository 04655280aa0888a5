# StdLevel3: found by plk_levelsolve, replayed by the level series test
seed 1
push 1 0 7 -x
push 0 0 7 -z
push 2 0 1 -x
push 7 0 2 -x
