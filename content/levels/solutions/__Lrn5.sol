# __Lrn5: found by plk_levelsolve, replayed by the level series test
seed 1
drop 0
drop 1
push 2 0 0 +x
push 9 0 0 +z
