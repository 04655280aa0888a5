# StdLevel15: found by plk_levelsolve, replayed by the level series test
seed 1
push 2 0 7 -z
push 5 0 7 +x
push 8 0 5 +z
push 8 0 7 -x
push 5 0 7 -z
push 5 0 1 -x
