# StdLevel14: found by plk_levelsolve, replayed by the level series test
seed 1
push 2 0 6 +x
push 2 0 5 +z
push 2 0 4 +z
push 5 0 3 -x
push 4 0 3 +z
push 6 0 2 -x
push 7 0 5 +z
push 7 0 7 -x
