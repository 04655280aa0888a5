# StdLevel10: found by plk_levelsolve, replayed by the level series test
seed 1
push 2 0 8 -z
push 6 0 7 +z
push 7 0 3 +z
push 2 0 1 +z
push 7 0 1 +z
