# Frost6: found by plk_levelsolve, replayed by the level series test
seed 1
push 3 0 4 -x
push 2 0 4 -z
push 2 0 0 +x
push 3 0 0 +z
push 3 0 2 +x
push 4 0 2 +z
push 4 0 3 +x
push 7 0 3 +z
push 7 0 7 -x
push 6 0 2 +z
push 6 0 3 +x
push 7 0 3 +z
push 7 0 7 -x
