# StdLevel9: found by plk_levelsolve, replayed by the level series test
seed 1
push 7 0 0 +z
push 7 0 1 -x
push 6 0 1 +z
push 6 0 2 -x
push 2 0 3 +x
push 4 0 2 +z
push 4 0 3 -x
