# StdLevel13: found by plk_levelsolve, replayed by the level series test
seed 1
push 3 0 4 -x
push 2 1 5 +x
push 3 0 3 -x
push 2 0 5 -z
push 2 0 4 +x
push 5 0 6 -z
push 5 0 4 -x
