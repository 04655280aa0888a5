# StdLevel23: found by plk_levelsolve, replayed by the level series test
seed 1
push 0 0 8 +x
push 7 0 6 -z
push 7 0 9 -z
push 7 0 8 -x
push 6 0 8 -z
push 6 0 7 -x
push 9 0 3 -z
push 7 0 2 +x
push 9 0 2 +z
push 9 0 3 -x
push 9 0 0 +z
push 5 0 3 +x
push 8 0 3 +z
push 8 0 5 -x
push 5 0 5 +z
push 5 0 7 -x
