# StdLevel18: found by plk_levelsolve, replayed by the level series test
seed 1
push 2 0 6 -x
push 5 0 3 +z
push 5 0 7 +x
push 7 0 7 -z
push 9 0 6 -z
push 9 0 7 -z
push 7 0 6 +x
push 9 0 6 -x
