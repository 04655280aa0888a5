// Unpredictable bytes from the operating system, for salts and session identifiers.
#pragma once

#include <cstdint>
#include <span>

namespace plk::crypto
{

// Fills `bytes` from the kernel's random source; false (bytes unspecified) only when the
// system cannot deliver, which callers must treat as a hard failure, never fall back from.
bool RandomBytes(std::span<std::uint8_t> bytes);

} // namespace plk::crypto
