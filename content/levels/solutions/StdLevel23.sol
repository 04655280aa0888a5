# StdLevel23: found by plk_levelsolve, replayed by the level series test
seed 1
push 1 0 7 +x
push 8 0 3 +z
push 4 0 4 +z
push 8 0 4 -x
push 8 0 3 -z
push 8 0 2 -x
push 7 0 4 -z
push 7 0 3 -x
push 7 0 2 +x
push 8 0 2 +z
push 4 0 7 -x
push 0 0 7 +x
push 6 0 3 +x
push 7 0 9 -z
