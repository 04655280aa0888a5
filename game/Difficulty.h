// The difficulty's arithmetic that the rules, the level's totals and the cards share.
#pragma once

namespace Difficulty
{

const int kEasy = 1;
const int kHard = 3;

// Points scale by this factor: half on easy, half as many again on hard.
inline float Factor(int difficulty)
{
    return difficulty == kEasy ? 0.5f : (difficulty == kHard ? 1.5f : 1.0f);
}

// Extra time scales the other way: the easy player earns more of it than the hard one.
inline float ReverseFactor(int difficulty)
{
    return difficulty == kEasy ? 1.5f : (difficulty == kHard ? 0.5f : 1.0f);
}

// What each spare cube the player drops costs, in points before the factor.
const int kSpareCost = 200;

} // namespace Difficulty
