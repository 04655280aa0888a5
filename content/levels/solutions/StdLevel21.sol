# StdLevel21: found by plk_levelsolve, replayed by the level series test
seed 1
push 1 0 6 +x
