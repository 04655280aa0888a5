# StdLevel14: found by plk_levelsolve, replayed by the level series test
seed 1
push 0 0 7 +x
push 2 0 5 -z
push 6 0 3 -x
