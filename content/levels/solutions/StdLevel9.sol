# StdLevel9: found by plk_levelsolve, replayed by the level series test
seed 1
push 2 0 5 +x
push 2 0 2 +x
