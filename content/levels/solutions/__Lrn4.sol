# __Lrn4: found by plk_levelsolve, replayed by the level series test
seed 1
push 1 0 1 +z
push 7 0 1 +z
