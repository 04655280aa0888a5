# StdLevel19: found by plk_levelsolve, replayed by the level series test
seed 1
push 4 0 5 +x
push 4 0 4 +x
push 3 2 5 +x
push 3 1 5 +x
push 3 2 4 +x
push 3 1 4 +x
