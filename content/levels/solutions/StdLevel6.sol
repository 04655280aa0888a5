# StdLevel6: found by plk_levelsolve, replayed by the level series test
seed 1
push 1 0 5 +x
push 6 0 1 -z
push 6 0 0 -x
