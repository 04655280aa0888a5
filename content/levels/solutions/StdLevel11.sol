# StdLevel11: found by plk_levelsolve, replayed by the level series test
seed 1
push 4 0 5 -x
push 3 0 5 +z
push 4 0 3 +z
push 2 1 7 +z
