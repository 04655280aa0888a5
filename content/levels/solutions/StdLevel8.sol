# StdLevel8: found by plk_levelsolve, replayed by the level series test
seed 1
push 2 0 0 +x
push 5 0 0 +z
push 2 0 4 +z
push 5 0 2 +x
push 5 0 8 -z
