// The game's random wrapper over the C library's rand.
#include "game/GameRandom.h"

#include <cassert>
#include <cstdlib>

void CGameRandom::Seed(unsigned seed)
{
    std::srand(seed);
}

int CGameRandom::Next()
{
    return std::rand();
}

int CGameRandom::Below(int n)
{
    assert(n > 0 && "CGameRandom::Below needs a positive modulus");
    return std::rand() % n;
}

float CGameRandom::Unit()
{
    return static_cast<float>(std::rand()) / static_cast<float>(RAND_MAX);
}
