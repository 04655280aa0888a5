# StdLevel23: found by plk_levelsolve, replayed by the level series test
seed 1
push 2 0 4 -x
push 2 0 3 +z
push 2 0 2 +z
push 1 0 2 +x
push 2 0 3 +x
push 2 0 2 +z
push 5 0 1 +x
push 5 0 0 +z
push 6 0 0 -x
push 6 0 1 -z
push 7 0 1 -x
push 8 0 6 -x
push 7 0 6 -z
push 8 0 9 -x
push 5 0 9 +x
push 9 0 6 -x
push 9 0 9 -x
