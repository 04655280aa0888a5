# StdLevel25: found by plk_levelsolve, replayed by the level series test
seed 1
push 3 0 2 +z
push 2 0 2 +x
push 2 0 3 -z
push 3 0 3 -x
push 3 0 2 +z
push 3 0 1 +z
push 8 0 3 -x
push 8 0 2 +z
push 8 0 8 +z
push 8 0 7 +z
push 8 0 6 +z
push 7 0 6 +x
push 8 0 7 +x
push 8 0 6 +z
push 9 0 2 -x
push 9 0 3 -z
push 8 0 3 +x
push 8 0 2 +z
