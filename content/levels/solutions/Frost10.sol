# Frost10: found by plk_levelsolve, replayed by the level series test
seed 1
push 0 0 5 -z
push 0 0 4 +x
push 1 0 0 +x
push 2 0 0 +z
push 9 0 3 -x
push 9 0 4 -z
push 7 0 3 +x
push 9 0 0 +z
push 9 0 3 -x
push 7 0 3 +z
push 7 0 5 -x
push 5 0 5 +z
push 9 0 2 -x
push 8 0 2 +z
push 8 0 3 -x
push 7 0 3 +z
push 7 0 5 -x
push 5 0 5 +z
push 5 0 6 -x
push 3 0 4 +z
