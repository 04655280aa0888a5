// "VideoMode.xml" as the game reads it at start; what reads is written and read back unchanged.
#include "foundation/VideoModeSettings.h"
#include "tests/fuzz/FuzzSupport.h"

namespace
{

bool Same(const VideoModeSettings& a, const VideoModeSettings& b)
{
    return a.Id == b.Id && a.Width == b.Width && a.Height == b.Height && a.BitsPerPixel == b.BitsPerPixel &&
           a.Hz == b.Hz && a.FullScreen == b.FullScreen;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string folder = fuzz::ScratchFolder();
    fuzz::WriteBytes(folder + VideoModeSettings::kFileName, data, size);
    VideoModeSettings settings;
    fuzz::Check(settings.Read(folder.c_str()), "a written VideoMode.xml does not read", settings.GetErrorMsg());
    XString text;
    settings.ToText(text);
    VideoModeSettings again;
    again.FromText(text);
    fuzz::Check(Same(settings, again), "VideoMode.xml reads back other values", text.GetBuffer());
    settings.ApplyGameDefaults();
    return 0;
}
