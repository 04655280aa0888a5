// The world art generator: writes every world texture and mesh into a data folder, or renders contact sheets.
#include "tools/worldgen/ContactSheet.h"
#include "tools/worldgen/WorldArt.h"

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <string>

namespace
{

int Usage()
{
    std::fprintf(stderr, "usage: plk_worldgen DATA_DIR\n"
                         "       plk_worldgen --contact-sheet OUT_DIR\n");
    return 2;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc == 2 && std::strncmp(argv[1], "--", 2) != 0)
    {
        std::error_code ec;
        std::filesystem::create_directories(argv[1], ec);
        if (ec)
        {
            std::fprintf(stderr, "plk_worldgen: cannot create %s: %s\n", argv[1], ec.message().c_str());
            return 1;
        }
        worldgen::DataWriter out(argv[1]);
        worldgen::WriteWorldArt(out);
        for (const std::string& e : out.Errors())
            std::fprintf(stderr, "plk_worldgen: %s\n", e.c_str());
        return out.Ok() ? 0 : 1;
    }
    if (argc == 3 && std::strcmp(argv[1], "--contact-sheet") == 0)
        return worldgen::WriteContactSheets(argv[2]) ? 0 : 1;
    return Usage();
}
