# Frost1: found by plk_levelsolve, replayed by the level series test
seed 1
push 0 0 8 +z
push 3 0 9 +x
push 4 0 9 -z
push 0 0 9 +x
push 4 0 6 -z
push 4 0 5 +x
push 6 0 5 -z
push 6 0 9 -z
push 4 0 8 +x
push 4 0 9 -z
push 5 0 8 -z
push 6 0 4 -x
push 5 0 4 +z
