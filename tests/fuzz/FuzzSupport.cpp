#include "tests/fuzz/FuzzSupport.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>

namespace fuzz
{

namespace
{

struct Scratch
{
    std::string path;
    Scratch()
    {
        std::string pattern = (std::filesystem::temp_directory_path() / "plkfuzz_XXXXXX").string();
        if (!mkdtemp(pattern.data()))
            Fail("no scratch folder", pattern);
        path = pattern + "/";
    }
    ~Scratch()
    {
        std::error_code ignored;
        std::filesystem::remove_all(path, ignored);
    }
};

} // namespace

const std::string& ScratchFolder()
{
    static Scratch scratch;
    return scratch.path;
}

void WriteBytes(const std::string& path, const uint8_t* data, size_t size)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    out.close();
    if (!out)
        Fail("cannot write the input file", path);
}

void Fail(const char* what, const std::string& detail)
{
    std::fprintf(stderr, "fuzz property broken: %s\n%s\n", what, detail.c_str());
    std::fflush(stderr);
    std::abort();
}

} // namespace fuzz
