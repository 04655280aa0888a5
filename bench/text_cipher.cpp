// Throughput of XTextCipher: enciphering and deciphering a 64 KiB and a 100 KiB text (a large level file).
#include <benchmark/benchmark.h>

#include <cstdint>
#include <vector>

#include "foundation/XString.h"
#include "foundation/XTextCipher.h"

namespace
{

const char* const kPassword = "level pass phrase";

XString SampleText(int64_t length)
{
    std::vector<char> bytes(static_cast<size_t>(length));
    for (size_t i = 0; i < bytes.size(); ++i)
        bytes[i] = static_cast<char>('A' + (i * 31 + i / 97) % 58);
    XString text;
    text.AppendData(bytes.data(), static_cast<unsigned>(bytes.size()));
    return text;
}

void BM_Encrypt(benchmark::State& state)
{
    XString plain = SampleText(state.range(0));
    XTextCipher cipher;
    for (auto _ : state) {
        XString text(plain);
        if (!cipher.Encrypt(text, kPassword))
            state.SkipWithError(cipher.GetErrorMsg());
        benchmark::DoNotOptimize(text.GetBuffer());
    }
    state.SetBytesProcessed(state.iterations() * state.range(0));
}

void BM_Decrypt(benchmark::State& state)
{
    XString enciphered = SampleText(state.range(0));
    XTextCipher cipher;
    if (!cipher.Encrypt(enciphered, kPassword))
        state.SkipWithError(cipher.GetErrorMsg());
    for (auto _ : state) {
        XString text(enciphered);
        if (!cipher.Decrypt(text, kPassword))
            state.SkipWithError(cipher.GetErrorMsg());
        benchmark::DoNotOptimize(text.GetBuffer());
    }
    state.SetBytesProcessed(state.iterations() * state.range(0));
}

} // namespace

BENCHMARK(BM_Encrypt)->Arg(64 * 1024)->Arg(100 * 1024)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_Decrypt)->Arg(64 * 1024)->Arg(100 * 1024)->Unit(benchmark::kMicrosecond);
