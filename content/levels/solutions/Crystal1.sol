# Crystal1: found by plk_levelsolve, replayed by the level series test
seed 1
push 2 0 8 -z
push 6 0 3 -z
push 2 0 0 +x
push 6 0 7 -z
