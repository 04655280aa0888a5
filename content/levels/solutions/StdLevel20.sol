# StdLevel20: found by plk_levelsolve, replayed by the level series test
seed 1
push 3 0 7 -x
push 2 0 3 -z
push 7 0 2 +z
push 2 0 4 +x
push 2 0 7 -z
push 7 0 5 -x
push 7 0 4 -x
