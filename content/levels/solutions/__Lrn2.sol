# __Lrn2: found by plk_levelsolve, replayed by the level series test
seed 1
push 1 0 2 +z
push 6 0 2 +z
