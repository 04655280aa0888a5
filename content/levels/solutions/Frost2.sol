# Frost2: found by plk_levelsolve, replayed by the level series test
seed 1
push 2 0 9 +x
push 4 0 9 -z
push 3 0 1 +z
push 6 0 8 -z
push 6 0 6 -x
push 9 0 5 +z
push 9 0 9 -x
push 7 0 9 -z
push 7 0 7 -x
push 6 0 7 -z
push 6 0 6 -x
push 3 0 6 +z
push 3 0 7 +x
push 4 0 7 -z
