// The process-wide millisecond timer on the monotonic clock, wrapped to 32 bits.
#include "platform/time/Timer.h"

#include <atomic>
#include <chrono>
#include <thread>

namespace plk
{
namespace
{

std::atomic<uint32_t> g_start{0};
std::atomic<bool> g_wrapped{false};

// The clock the timer reads: monotonic milliseconds truncated to 32 bits, so that wrapping
// behaves like the system's multimedia time.
uint32_t NowMs()
{
    using namespace std::chrono;
    const auto ms = duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
    return static_cast<uint32_t>(ms);
}

} // namespace

void TimerStart()
{
    g_start = NowMs();
}

uint32_t TimerElapsed()
{
    const uint32_t now = NowMs();
    const uint32_t start = g_start;
    if (now < start)
        g_wrapped = true;
    return now - start;
}

uint64_t MonotonicMicroseconds()
{
    using namespace std::chrono;
    return static_cast<uint64_t>(duration_cast<microseconds>(steady_clock::now().time_since_epoch()).count());
}

void SleepMicroseconds(uint64_t us)
{
    std::this_thread::sleep_for(std::chrono::microseconds(us));
}

bool TimerWrapped()
{
    return g_wrapped;
}

} // namespace plk
