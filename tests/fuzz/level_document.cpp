// The plain level document, as the level compiler and the builder read it.
#include "game/CGameLevel.h"
#include "tests/fuzz/FuzzSupport.h"
#include "tests/fuzz/LevelFuzz.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    XString document;
    document.AppendData(reinterpret_cast<const char*>(data), static_cast<unsigned>(size));
    CGameLevel level(nullptr);
    fuzz::StartRead();
    if (level.LoadFromDocument(fuzz::kLevelName, document, false, false))
        fuzz::CheckDocumentRoundTrip(fuzz::WrittenDocument(level, false), false);
    return 0;
}
