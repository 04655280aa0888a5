// The rules' random numbers: which spare cubes are offered, where a dropped spare lands, which
// teleporter a cube leaves by, a cycling cube's colour offset and the builder's random cell. They
// come from a generator of their own that no effect draws from, and every level starts them afresh
// from the run's seed, so a recorded solution replays the same in the game and headless, whatever
// the weather and whatever was played before.
#pragma once

class CGameRandom
{
public:
    // The run's seed (the game: --seed N, 1 for --fixed-step runs, else the time; the headless
    // replay: the solution's seed). Also restarts the sequence.
    static void Seed(unsigned seed);
    // Back to the start of the run seed's sequence. Every level load calls it, so the draws of a
    // level depend only on the seed and on what the player does in that level.
    static void Restart();
    // The next draw reduced modulo n (n > 0), as the rules describe every draw.
    static int Below(int n);
};
