// The play screen under X: the demo's hand-made level played by script, checked in screenshots.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>
#include <string>
#include <vector>

namespace
{
namespace fs = std::filesystem;

struct Shot
{
    int width = 0, height = 0;
    std::vector<uint8_t> bytes;
    size_t offset = 0, row = 0;
    // Red, green and blue of a pixel counted from the top left.
    uint32_t At(int x, int y) const
    {
        const uint8_t* p = &bytes[offset + static_cast<size_t>(height - 1 - y) * row + static_cast<size_t>(x) * 3];
        return static_cast<uint32_t>(p[2]) << 16 | static_cast<uint32_t>(p[1]) << 8 | p[0];
    }
};

bool ReadShot(const fs::path& path, Shot& shot)
{
    std::ifstream in(path, std::ios::binary);
    shot.bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    if (shot.bytes.size() < 54 || shot.bytes[0] != 'B' || shot.bytes[1] != 'M')
        return false;
    auto u32 = [&](size_t at) {
        return static_cast<uint32_t>(shot.bytes[at]) | static_cast<uint32_t>(shot.bytes[at + 1]) << 8 |
               static_cast<uint32_t>(shot.bytes[at + 2]) << 16 | static_cast<uint32_t>(shot.bytes[at + 3]) << 24;
    };
    shot.offset = u32(10);
    shot.width = static_cast<int>(u32(18));
    shot.height = static_cast<int>(u32(22));
    shot.row = (static_cast<size_t>(shot.width) * 3 + 3) / 4 * 4;
    return shot.bytes.size() >= shot.offset + shot.row * static_cast<size_t>(shot.height);
}

// Runs the demo for frames at fixed 25 ms steps with a screenshot at each of shotFrames.
std::vector<Shot> RunDemo(const std::string& name, const std::string& extra, const std::vector<int>& shotFrames)
{
    const fs::path folder = fs::temp_directory_path() / ("plk-playscreen-" + name);
    fs::remove_all(folder);
    fs::create_directories(folder);
    std::ofstream script(folder / "script.txt");
    for (int frame : shotFrames)
        script << frame << " shot\n";
    script.close();
    const std::string command = std::string(PLK_PLAYDEMO) + " --data " + PLK_DATA_DIR +
                                " --fixed-step 25 --max-frames " + std::to_string(shotFrames.back() + 2) +
                                " --capture-dir " + (folder / "shots").string() + " --script " +
                                (folder / "script.txt").string() + " " + extra;
    EXPECT_EQ(std::system(command.c_str()), 0) << command;
    std::vector<Shot> shots(shotFrames.size());
    for (size_t i = 0; i < shots.size(); ++i)
        EXPECT_TRUE(ReadShot(folder / "shots" / (std::to_string(i) + ".bmp"), shots[i])) << "screenshot " << i;
    return shots;
}

int DifferingPixels(const Shot& a, const Shot& b, int x0, int y0, int x1, int y1)
{
    int count = 0;
    for (int y = y0; y < y1; ++y)
        for (int x = x0; x < x1; ++x)
            count += a.At(x, y) != b.At(x, y) ? 1 : 0;
    return count;
}
} // namespace

TEST(PlayScreen, HandMadeLevelShowsArrowsAFadingGroupAndTurningSpares)
{
    ASSERT_TRUE(fs::exists(fs::path(PLK_DATA_DIR) / "Arrow.x")) << "the staged data folder is needed: " << PLK_DATA_DIR;
    // Frames 54 and 66: the red group has just been matched, then is gone.
    std::vector<Shot> selected = RunDemo("selected", "--select 3", {54, 66});
    std::vector<Shot> plain = RunDemo("plain", "", {54, 66});
    ASSERT_EQ(selected.size(), 2u);
    for (const Shot& shot : selected)
    {
        ASSERT_EQ(shot.width, 1024);
        ASSERT_EQ(shot.height, 768);
    }
    // The arrows round the selected cube are the only difference between the two runs.
    EXPECT_GT(DifferingPixels(selected[0], plain[0], 0, 0, 1024, 768), 500);
    EXPECT_EQ(DifferingPixels(selected[0], plain[0], 700, 0, 1024, 200), 0) << "nothing else changes";
    // The scored group fades out with its floating text in the middle of the board.
    EXPECT_GT(DifferingPixels(selected[0], selected[1], 300, 250, 700, 450), 2000);
    // The spares turn over their buttons in the top right corner.
    EXPECT_GT(DifferingPixels(selected[0], selected[1], 829, 32, 1016, 80), 200);
    std::set<uint32_t> colours;
    for (int y = 32; y < 80; ++y)
        for (int x = 829; x < 1016; ++x)
            colours.insert(selected[0].At(x, y));
    EXPECT_GT(colours.size(), 50u) << "three lit cubes, not an empty corner";
}
