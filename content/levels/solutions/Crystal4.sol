# Crystal4: found by plk_levelsolve, replayed by the level series test
seed 1
push 2 0 7 +x
push 4 0 4 +z
