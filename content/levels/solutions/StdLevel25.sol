# StdLevel25: found by plk_levelsolve, replayed by the level series test
seed 1
push 8 0 6 -z
push 3 0 4 +z
