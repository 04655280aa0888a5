# StdLevel6: found by plk_levelsolve, replayed by the level series test
seed 1
push 1 0 5 +x
push 4 0 1 +z
push 9 0 4 +z
push 4 0 5 +x
