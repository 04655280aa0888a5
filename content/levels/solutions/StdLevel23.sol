# StdLevel23: found by plk_levelsolve, replayed by the level series test
seed 1
push 5 0 9 +x
push 2 0 3 +z
push 9 0 9 -x
push 8 0 5 +z
push 7 0 0 +z
