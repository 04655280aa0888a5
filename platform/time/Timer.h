// The process-wide millisecond timer that paces the main loop and stamps every frame.
#pragma once

#include <cstdint>

namespace plk
{

// Starts (or restarts) the timer; elapsed time counts from here.
void TimerStart();
// Milliseconds since TimerStart, as 32-bit unsigned: wraps after about 49.7 days like the
// multimedia clock it stands in for.
uint32_t TimerElapsed();
// Microseconds on the monotonic clock from an arbitrary origin: what the frame pacing measures.
uint64_t MonotonicMicroseconds();
// Sleeps the calling thread for about that long (the system may wake it a little late).
void SleepMicroseconds(uint64_t us);
// True once a reading came out below the start value, i.e. the 32-bit clock wrapped.
bool TimerWrapped();

} // namespace plk
