// plk_levelplay DATA_DIR LEVEL SOLUTION: replays a recorded solution headless at the hardest
// difficulty and prints whether the level was won and with how much time left.
#include "tools/levelplay/LevelReplay.h"

#include <cstdio>

namespace
{
// Ten minutes of frames: longer than any level's time.
const int kMaxFrames = 24000;
} // namespace

int main(int argc, char** argv)
{
    if (argc != 4)
    {
        std::fprintf(stderr, "usage: plk_levelplay DATA_DIR LEVEL SOLUTION.sol\n");
        return 2;
    }
    XString dataFolder(argv[1]);
    dataFolder += "/";
    CLevelSolution solution;
    if (!solution.ReadFile(argv[3]))
    {
        std::fprintf(stderr, "%s\n", solution.GetErrorMsg().GetBuffer());
        return 2;
    }
    CLevelReplay replay(dataFolder);
    if (!replay.Load(argv[2], solution.GetSeed()))
    {
        std::fprintf(stderr, "%s\n", replay.GetErrorMsg().GetBuffer());
        return 2;
    }
    const int limit = replay.GetResult().secondsLeft;
    const bool played = replay.Play(solution, kMaxFrames);
    const ReplayResult& r = replay.GetResult();
    std::printf("%s: %s after %d frames, %d of %d s left, block score %d, %d cubes left\n", argv[2],
                r.won ? "won" : "lost", r.frames, r.secondsLeft, limit, r.blockScore, r.blocksLeft);
    if (!played)
        std::fprintf(stderr, "%s\n", replay.GetErrorMsg().GetBuffer());
    return played && r.won ? 0 : 1;
}
