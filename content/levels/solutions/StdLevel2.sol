# StdLevel2: found by plk_levelsolve, replayed by the level series test
seed 1
push 4 1 6 -x
push 0 0 6 +x
push 5 1 3 -x
push 0 0 3 +x
