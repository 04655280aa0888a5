# __Lrn8: found by plk_levelsolve, replayed by the level series test
seed 1
push 0 0 5 +x
push 6 0 0 +z
