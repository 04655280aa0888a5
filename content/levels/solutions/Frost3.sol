# Frost3: found by plk_levelsolve, replayed by the level series test
seed 1
push 0 0 2 -z
push 0 0 0 +x
push 2 0 0 +z
push 2 0 1 +x
push 5 0 1 +z
push 6 0 1 -x
push 5 0 3 -z
push 0 0 1 +x
push 4 0 1 +z
push 0 0 7 +x
push 3 0 7 +z
push 3 0 8 -x
push 2 0 8 -z
push 4 0 7 -x
push 2 0 7 +z
push 2 0 8 +x
push 3 0 7 -z
push 3 0 5 +x
push 3 0 8 -z
push 3 0 5 +x
push 7 0 4 -x
