# StdLevel17: found by plk_levelsolve, replayed by the level series test
seed 1
push 6 0 2 +x
push 7 0 2 +z
push 4 0 2 +x
push 7 0 2 +z
push 3 0 2 +x
push 2 0 2 +x
push 2 0 3 -z
push 7 0 3 +x
push 7 0 4 -z
push 2 0 2 +x
