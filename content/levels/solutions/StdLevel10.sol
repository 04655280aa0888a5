# StdLevel10: found by plk_levelsolve, replayed by the level series test
seed 1
push 0 0 5 +x
push 2 0 1 +z
push 6 0 7 -z
push 8 0 7 +x
push 9 0 7 -z
push 9 0 0 -x
