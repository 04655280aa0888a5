# StdLevel22: found by plk_levelsolve, replayed by the level series test
seed 1
push 4 0 9 -z
push 4 0 0 +x
push 6 0 3 -x
push 8 0 3 -x
push 1 0 6 -z
