# Crystal3: found by plk_levelsolve, replayed by the level series test
seed 1
push 3 0 1 +z
push 6 0 4 +z
push 6 0 3 +z
push 6 0 5 -x
push 0 0 5 +z
push 0 0 7 +x
