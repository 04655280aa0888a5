// What the fuzz targets share: a scratch data folder of their own, input written to a file for the
// readers that take a path, and a property check that stops the run with a message.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace fuzz
{

// A temporary folder made once per process and removed at its exit, ending in '/'.
const std::string& ScratchFolder();

// Writes the bytes to path (replacing the file); aborts when that fails, since the target could
// then test nothing.
void WriteBytes(const std::string& path, const uint8_t* data, size_t size);

// A broken property: prints what broke and aborts, which libFuzzer and the replay test both report.
[[noreturn]] void Fail(const char* what, const std::string& detail = std::string());

inline void Check(bool holds, const char* what, const std::string& detail = std::string())
{
    if (!holds)
        Fail(what, detail);
}

} // namespace fuzz

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size);
