// The game's one source of random numbers: the C library's rand, seeded once, so that fixed-step
// runs and tests replay the same draws.
#pragma once

class CGameRandom
{
public:
    // Seeds the C library's generator; --fixed-step runs use 1, tests any value they like.
    static void Seed(unsigned seed);
    // The next raw draw, 0 .. RAND_MAX.
    static int Next();
    // The next draw reduced modulo n (n > 0), as the rules describe every draw.
    static int Below(int n);
    // The next draw scaled to 0 .. 1 (both ends included), for effects and scenery placement.
    static float Unit();
};
