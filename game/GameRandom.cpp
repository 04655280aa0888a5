// The rules' generator, kept apart from the effects' one.
#include "game/GameRandom.h"

#include "engine/XRandom.h"

namespace
{
struct RulesRandom
{
    unsigned seed = 1;
    XRandom generator{1};
};

RulesRandom& Rules()
{
    // One per thread: a solver on a worker plays its own draws and leaves the game's sequence
    // as it was.
    thread_local RulesRandom rules;
    return rules;
}
} // namespace

void CGameRandom::Seed(unsigned seed)
{
    Rules().seed = seed;
    Restart();
}

void CGameRandom::Restart()
{
    Rules().generator.Seed(Rules().seed);
}

int CGameRandom::Below(int n)
{
    return Rules().generator.Below(n);
}
