# __Lrn5: found by plk_levelsolve, replayed by the level series test
seed 1
drop 0
drop 1
push 0 0 5 +x
push 0 0 4 +z
push 3 0 1 +z
push 0 0 9 +x
