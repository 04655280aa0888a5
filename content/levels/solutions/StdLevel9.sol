# StdLevel9: found by plk_levelsolve, replayed by the level series test
seed 1
push 4 0 9 -x
push 0 0 9 -z
push 1 0 5 -x
push 0 0 5 +z
push 0 0 9 +x
push 4 0 9 -z
