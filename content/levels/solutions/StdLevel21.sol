# StdLevel21: found by plk_levelsolve, replayed by the level series test
seed 1
push 6 0 6 -x
push 7 1 6 -x
push 7 1 5 -x
push 1 0 0 +z
