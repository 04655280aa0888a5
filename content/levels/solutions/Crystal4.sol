# Crystal4: found by plk_levelsolve, replayed by the level series test
seed 1
push 0 0 9 +x
push 1 0 9 -z
push 4 0 4 -x
push 9 0 0 +z
push 9 0 2 -x
push 6 0 2 +z
push 6 0 5 -x
