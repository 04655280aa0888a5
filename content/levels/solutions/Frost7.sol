# Frost7: found by plk_levelsolve, replayed by the level series test
seed 1
push 3 0 5 -x
push 6 0 6 -x
push 5 0 6 +z
push 5 0 7 -x
push 4 0 7 +z
push 4 0 8 -x
push 7 0 5 +x
push 8 0 5 +z
push 8 0 7 -x
push 4 0 7 +z
push 4 0 8 -x
push 9 0 7 -x
push 4 0 7 +z
push 4 0 8 -x
push 2 0 8 -z
push 2 0 3 -x
push 0 0 5 -z
push 0 0 4 +x
push 2 0 4 +z
