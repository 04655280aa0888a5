// Benchmark: a 1 MiB text built from 16-byte appends, XString::operator+= against std::string.
#include <benchmark/benchmark.h>

#include <string>

#include "foundation/XString.h"

namespace
{
const size_t kTextBytes = 1024 * 1024;
const size_t kPieceBytes = 16;
const char kPiece[kPieceBytes + 1] = "0123456789abcdef";

void XStringAppend(benchmark::State& state)
{
    unsigned reallocations = 0;
    for (auto _ : state)
    {
        XString text;
        for (size_t built = 0; built < kTextBytes; built += kPieceBytes)
            text += kPiece;
        benchmark::DoNotOptimize(text.GetBuffer());
        reallocations = text.GetReallocCount();
    }
    state.counters["reallocations"] = reallocations;
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(kTextBytes));
}

void StdStringAppend(benchmark::State& state)
{
    unsigned reallocations = 0;
    for (auto _ : state)
    {
        std::string text;
        size_t capacity = text.capacity();
        reallocations = 0;
        for (size_t built = 0; built < kTextBytes; built += kPieceBytes)
        {
            text += kPiece;
            if (text.capacity() != capacity)
            {
                capacity = text.capacity();
                ++reallocations;
            }
        }
        benchmark::DoNotOptimize(text.data());
    }
    state.counters["reallocations"] = reallocations;
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(kTextBytes));
}
} // namespace

BENCHMARK(XStringAppend);
BENCHMARK(StdStringAppend);
