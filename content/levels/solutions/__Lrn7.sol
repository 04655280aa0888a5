# __Lrn7: found by plk_levelsolve, replayed by the level series test
seed 1
push 3 0 2 +x
push 4 0 0 +z
