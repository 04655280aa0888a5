// uigen: writes the screen art into a data folder, or composes review pictures from the files written there.
#include "tools/uigen/ArtSet.h"
#include "tools/uigen/BrandArt.h"
#include "tools/uigen/BuilderArt.h"
#include "tools/uigen/EndArt.h"
#include "tools/uigen/MenuArt.h"
#include "tools/uigen/Preview.h"
#include "tools/uigen/StatusArt.h"
#include "tools/uigen/TitleArt.h"
#include "tools/uigen/UiPaint.h"

#include <cstdio>
#include <filesystem>
#include <string>

namespace
{

int Usage()
{
    std::fprintf(stderr, "usage: uigen DATA_DIR\n       uigen --preview DATA_DIR OUT_DIR\n");
    return 2;
}

int Generate(const std::string& dataDir)
{
    std::error_code ec;
    std::filesystem::create_directories(dataDir, ec);
    if (ec)
    {
        std::fprintf(stderr, "uigen: cannot create %s: %s\n", dataDir.c_str(), ec.message().c_str());
        return 1;
    }
    uigen::ArtSet set;
    uigen::TitleArt::Paint(set);
    uigen::MenuArt::Paint(set);
    uigen::EndArt::Paint(set);
    uigen::StatusArt::Paint(set);
    uigen::BuilderArt::Paint(set);
    uigen::BrandArt::Paint(set);
    std::string error;
    if (!set.WriteAll(dataDir, error))
    {
        std::fprintf(stderr, "uigen: %s\n", error.c_str());
        return 1;
    }
    return 0;
}

int Review(const std::string& dataDir, const std::string& outDir)
{
    uigen::Preview preview;
    std::string error;
    if (!preview.Load(dataDir, error) || !preview.WriteAll(outDir, error))
    {
        std::fprintf(stderr, "uigen: %s\n", error.c_str());
        return 1;
    }
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    try
    {
        if (argc == 2)
            return Generate(argv[1]);
        if (argc == 4 && std::string(argv[1]) == "--preview")
            return Review(argv[2], argv[3]);
        return Usage();
    }
    catch (const uigen::ArtError& e)
    {
        std::fprintf(stderr, "uigen: %s\n", e.what());
        return 1;
    }
}
