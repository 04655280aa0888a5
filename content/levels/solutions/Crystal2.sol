# Crystal2: found by plk_levelsolve, replayed by the level series test
seed 1
push 3 0 7 +z
push 3 0 8 -x
push 4 0 7 +z
push 4 0 8 -x
push 2 0 1 -x
push 0 0 1 +z
