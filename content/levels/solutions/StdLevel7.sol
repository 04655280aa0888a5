# StdLevel7: found by plk_levelsolve, replayed by the level series test
seed 1
push 2 0 8 +x
push 4 0 5 +x
push 9 0 5 +z
push 9 0 1 +z
push 7 0 0 +z
