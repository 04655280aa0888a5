# StdLevel1: found by plk_levelsolve, replayed by the level series test
seed 1
push 2 0 7 -z
push 4 0 5 -x
push 5 0 3 -z
push 3 0 1 +x
