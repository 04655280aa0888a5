# StdLevel15: found by plk_levelsolve, replayed by the level series test
seed 1
push 2 0 7 +z
push 4 0 3 +z
push 2 0 1 +z
push 3 0 7 +z
