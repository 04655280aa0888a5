# StdLevel11: found by plk_levelsolve, replayed by the level series test
seed 1
push 7 1 6 +x
push 7 0 6 -z
push 7 0 5 -x
push 5 1 3 +x
push 5 0 3 +x
push 5 0 5 -z
