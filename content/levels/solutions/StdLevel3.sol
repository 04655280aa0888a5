# StdLevel3: found by plk_levelsolve, replayed by the level series test
seed 1
push 4 0 8 -x
push 2 0 1 +z
