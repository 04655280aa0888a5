# StdLevel23: found by plk_levelsolve, replayed by the level series test
seed 1
push 0 0 5 +x
