# StdLevel22: found by plk_levelsolve, replayed by the level series test
seed 1
push 5 0 2 +z
