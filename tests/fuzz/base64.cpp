// DecodeBase64 on any bytes, and any bytes encoded then decoded back to themselves.
#include "foundation/XString.h"
#include "tests/fuzz/FuzzSupport.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    XString input;
    input.AppendData(reinterpret_cast<const char*>(data), static_cast<unsigned>(size));

    XString decoded(input);
    decoded.DecodeBase64();
    fuzz::Check(decoded.GetLength() <= input.GetLength(), "decoding made the text longer");

    XString encoded(input);
    encoded.EncodeBase64();
    XString back(encoded);
    back.DecodeBase64();
    fuzz::Check(back == input, "encoded bytes decode to other bytes", encoded.GetBuffer());
    return 0;
}
