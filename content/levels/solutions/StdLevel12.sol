# StdLevel12: found by plk_levelsolve, replayed by the level series test
seed 1
push 0 0 7 +x
push 1 0 1 +z
push 6 0 3 -x
push 5 0 3 +z
push 6 0 6 -x
push 5 0 6 +z
