# Frost8: found by plk_levelsolve, replayed by the level series test
seed 1
push 0 0 8 +z
push 5 0 9 -z
push 1 0 9 +x
push 5 0 8 +x
push 5 0 9 -z
push 0 0 9 +x
push 5 0 8 +x
push 5 0 9 -z
push 8 0 8 -x
push 6 0 8 -z
push 9 0 8 -x
push 6 0 8 -z
push 5 0 8 +x
push 6 0 6 +x
push 5 0 6 +x
push 6 0 6 +z
push 6 0 8 +x
