# StdLevel5: found by plk_levelsolve, replayed by the level series test
seed 1
push 1 0 5 +x
push 5 2 1 -x
push 5 2 2 -x
push 4 0 2 -x
