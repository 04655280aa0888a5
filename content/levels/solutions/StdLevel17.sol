# StdLevel17: found by plk_levelsolve, replayed by the level series test
seed 1
push 4 0 2 +z
