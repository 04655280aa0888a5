// The fixed-algorithm generator and the effects' instance of it.
#include "engine/XRandom.h"

#include <cassert>

int XRandom::Below(int n)
{
    assert(n > 0 && "XRandom::Below needs a positive modulus");
    return static_cast<int>(Next() % static_cast<uint32_t>(n));
}

float XRandom::Unit()
{
    return static_cast<float>(static_cast<double>(Next()) / static_cast<double>(std::mt19937::max()));
}

XRandom& XRandom::Effects()
{
    // One per thread: a worker's particles never race the main thread's.
    thread_local XRandom effects;
    return effects;
}
