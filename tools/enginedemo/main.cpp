// The engine demo: a 1024 x 768 window showing the test screen, driven by the automation options.
#include "DemoLayout.h"
#include "DemoScreen.h"
#include "engine/XEngineOptions.h"
#include "engine/XGameEngine.h"
#include "engine/XScreenTransition.h"
#include "platform/image/Image.h"

#include <cstdio>
#include <filesystem>
#include <string>
#include <unistd.h>

namespace
{

// The sprite image is made here, like every medium of the game, never stored as a binary.
bool WriteSpriteImage(const std::string& path)
{
    plk::Image image(demo::kSpriteSide, demo::kSpriteSide);
    for (int y = 0; y < demo::kSpriteSide; ++y)
    {
        for (int x = 0; x < demo::kSpriteSide; ++x)
        {
            const bool key = x >= demo::kKeyFirst && x <= demo::kKeyLast && y >= demo::kKeyFirst && y <= demo::kKeyLast;
            const uint32_t argb = key ? demo::kSpriteKey : demo::kSpriteBody;
            uint8_t* texel = image.At(x, y);
            texel[0] = static_cast<uint8_t>(argb >> 16);
            texel[1] = static_cast<uint8_t>(argb >> 8);
            texel[2] = static_cast<uint8_t>(argb);
            texel[3] = 0xFF;
        }
    }
    std::string error;
    if (plk::SaveBmp(path, image, plk::BmpDepth::kRgb24, &error) != 0)
    {
        std::fprintf(stderr, "Error: the demo sprite could not be written: %s\n", error.c_str());
        return false;
    }
    return true;
}

} // namespace

int main(int argc, char** argv)
{
    XEngineOptions options;
    XString optionError;
    if (!options.Parse(argc, argv, optionError))
    {
        std::fprintf(stderr, "%s\n", optionError.GetBuffer());
        return 2;
    }
    std::error_code ignored;
    const std::filesystem::path media =
        std::filesystem::temp_directory_path() / ("plk-enginedemo-" + std::to_string(getpid()));
    std::filesystem::create_directories(media, ignored);
    if (!WriteSpriteImage((media / "sprite.bmp").string()))
        return 1;

    int result = 0;
    {
        XGameEngine engine;
        engine.SetFrameRate(1000.0f, true);
        engine.SetClearColor(demo::kClearColor);
        engine.SetPath(media.string().c_str());
        if (!engine.Setup(true, true, demo::kWidth, demo::kHeight, 32, -1, "Plinkett3EngineDemo",
                          "Plinkett3 engine demo") ||
            !engine.SetOptions(options))
        {
            std::fprintf(stderr, "%s\n", engine.GetErrorMsg().GetBuffer());
            result = 1;
        }
        else
        {
            engine.AddScreen(false, false, true, new DemoScreen, new XScreenTransition(demo::kTransitionMs));
            if (!engine.Run())
            {
                std::fprintf(stderr, "%s\n", engine.GetErrorMsg().GetBuffer());
                result = 1;
            }
        }
    }
    std::filesystem::remove_all(media, ignored);
    return result;
}
