// The image loader the textures and sprite sheets come through (BMP and PNG, whatever the bytes
// claim to be): a picture that loads has the size it says and all its pixels.
#include "platform/image/Image.h"
#include "tests/fuzz/FuzzSupport.h"

#include <span>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    plk::Image image;
    std::string error;
    if (plk::LoadImageMemory(std::span<const uint8_t>(data, size), image, &error) == 0)
    {
        fuzz::Check(!image.Empty(), "a loaded picture is empty");
        fuzz::Check(image.pixels.size() == static_cast<size_t>(image.width) * static_cast<size_t>(image.height) * 4,
                    "a loaded picture lacks pixels");
        volatile uint8_t last = *image.At(image.width - 1, image.height - 1);
        (void)last;
    }
    return 0;
}
