# Frost9: found by plk_levelsolve, replayed by the level series test
seed 1
push 1 0 1 +x
push 1 0 0 +z
push 3 0 1 +z
push 1 0 1 +x
push 3 0 2 +x
push 3 0 1 +z
push 3 0 2 +x
push 3 0 0 +z
push 3 0 2 +x
push 7 0 2 +z
push 8 0 2 -x
push 6 0 5 -z
push 6 0 4 -x
push 7 0 0 +z
push 7 0 2 -x
push 9 0 2 -x
push 5 0 2 -z
push 5 0 4 -z
