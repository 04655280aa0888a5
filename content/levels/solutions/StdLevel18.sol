# StdLevel18: found by plk_levelsolve, replayed by the level series test
seed 1
push 2 0 8 -z
push 6 0 6 -z
push 2 0 4 +z
push 6 0 0 +z
