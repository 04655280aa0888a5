# StdLevel16: found by plk_levelsolve, replayed by the level series test
seed 1
push 7 0 2 -x
push 6 0 3 +x
push 6 0 2 +z
push 5 1 2 +x
push 6 0 3 -z
push 7 0 3 -x
push 7 0 6 +z
push 7 0 2 +z
push 6 0 2 +x
push 7 0 2 +z
