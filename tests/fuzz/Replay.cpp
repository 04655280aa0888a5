// Replays the inputs under one folder (and its subfolders) through a fuzz target's entry point, in
// name order: the unit test that keeps every input that once broke a target from breaking it again.
#include "tests/fuzz/FuzzSupport.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

int main(int argc, char** argv)
{
    namespace fs = std::filesystem;
    std::vector<fs::path> inputs;
    for (int i = 1; i < argc; ++i)
    {
        const fs::path root(argv[i]);
        if (fs::is_regular_file(root))
            inputs.push_back(root);
        else if (fs::is_directory(root))
            for (const fs::directory_entry& entry : fs::recursive_directory_iterator(root))
                if (entry.is_regular_file())
                    inputs.push_back(entry.path());
    }
    std::sort(inputs.begin(), inputs.end());
    for (const fs::path& input : inputs)
    {
        std::ifstream in(input, std::ios::binary);
        const std::vector<char> bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
        if (!in.eof() && in.fail())
        {
            std::fprintf(stderr, "cannot read %s\n", input.c_str());
            return 1;
        }
        std::printf("%s\n", input.c_str());
        std::fflush(stdout);
        LLVMFuzzerTestOneInput(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size());
    }
    std::printf("%zu inputs replayed\n", inputs.size());
    return 0;
}
