# __Lrn6: found by plk_levelsolve, replayed by the level series test
seed 1
push 0 0 3 +x
