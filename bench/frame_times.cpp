// Frame times of the game's own views at a window size of choice: every shipped level in play (the
// scene with its status column, no cards over it), the title, the level-set menu over the title and
// the level builder. Prints one line per view: its name, the size, the frames timed, the median and
// 95th-percentile wall time of a whole frame (drawing, presenting, input and the update) in ms, the
// median processor time of a frame over all the process's threads (steadier than wall time on a
// busy machine), and the peak resident memory of the process so far in MB.
//
//   bench_frame_times [--size WxH] [--frames N] [--capture DIR] [VIEW...]
//   bench_frame_times --list      (the names of every view, one a line)
//
// --capture writes the last timed frame of each view to DIR as a numbered BMP, in the order of the
// views, to see what was timed.
//
// VIEW is "title", "menu", "builder" or a level's name; without any, every view and every level in
// the staged levels folder. Needs a display large enough for the window (xvfb-run -s "-screen 0
// 2560x1600x24") and the staged data (PLK_DATA_DIR, or the build's stage/data beside this program's
// folder). scripts/frame_report.sh runs it for two builds side by side.
#include "bench/GameBench.h"
#include "engine/XGameEngine.h"
#include "game/CGameLevel.h"
#include "game/CPlayBlock.h"
#include "game/GameRandom.h"
#include "screens/CBuilderActions.h"
#include "screens/CGameMenu.h"
#include "screens/CPlayScreen.h"
#include "screens/CScreenFlow.h"
#include "screens/CStatusBar.h"

#include <time.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace
{

// The game's frame step: every frame advances the clock by this much, however long it took.
const unsigned kFrameMs = 25;
// Frames played before timing: a fade in, the level's GPU objects made on first use.
const int kWarmUpFrames = 40;
const int kDefaultFrames = 120;
const char* const kScreenViews[] = {"title", "menu", "builder"};

double ProcessorMs()
{
    timespec now{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) * 1e3 + static_cast<double>(now.tv_nsec) / 1e6;
}

// The value at fraction q of the sorted times, nearest rank.
double Percentile(std::vector<double> times, double q)
{
    std::sort(times.begin(), times.end());
    const size_t rank = static_cast<size_t>(q * static_cast<double>(times.size() - 1) + 0.5);
    return times[rank];
}

// The shipped levels, numbered ones in their numbers' order.
std::vector<std::string> ShippedLevels(const fs::path& levels)
{
    std::vector<std::string> names;
    std::error_code error;
    for (const fs::directory_entry& entry : fs::directory_iterator(levels, error))
        if (entry.path().extension() == ".dat" && entry.path().stem() != CGameLevel::kLastEditedName)
            names.push_back(entry.path().stem().string());
    const auto key = [](const std::string& name) {
        const size_t digits = name.find_last_not_of("0123456789") + 1;
        const int number = digits < name.size() ? std::atoi(name.c_str() + digits) : 0;
        return std::make_pair(name.substr(0, digits), number);
    };
    std::sort(names.begin(), names.end(), [&](const std::string& a, const std::string& b) { return key(a) < key(b); });
    return names;
}

std::vector<std::string> AllViews(const fs::path& data)
{
    std::vector<std::string> views(std::begin(kScreenViews), std::end(kScreenViews));
    for (const std::string& level : ShippedLevels(data / "levels"))
        views.push_back(level);
    return views;
}

class FrameBench
{
public:
    ~FrameBench() { Stop(); }

    bool Start(unsigned width, unsigned height, const std::string& captureDir)
    {
        m_data = StagedData();
        if (!LinkStagedData(m_data, m_folder, BenchLevels::kShipped))
        {
            std::fprintf(stderr, "no staged data in %s\n", m_data.string().c_str());
            return false;
        }
        const XString dataFolder = BenchDataFolder(m_folder);
        m_engine = std::make_unique<XGameEngine>();
        m_engine->SetPath(dataFolder);
        m_engine->SetFrameRate(0.0f, false);
        if (!captureDir.empty())
        {
            XEngineOptions options;
            options.captureDir = (fs::absolute(captureDir).string() + "/").c_str();
            if (!m_engine->SetOptions(options))
            {
                std::fprintf(stderr, "%s\n", m_engine->GetErrorMsg().GetBuffer());
                return false;
            }
            m_capture = true;
        }
        if (!m_engine->Setup(true, true, width, height, 32, -1, nullptr, nullptr))
        {
            std::fprintf(stderr, "%s\n", m_engine->GetErrorMsg().GetBuffer());
            return false;
        }
        if (m_engine->GetWidth() != width || m_engine->GetHeight() != height)
        {
            std::fprintf(stderr, "the window is %ux%u, not %ux%u: the display is too small\n", m_engine->GetWidth(),
                         m_engine->GetHeight(), width, height);
            return false;
        }
        if (!LoadGameBenchMedia(*m_engine, m_folder, kFrameMs))
            return false;
        m_shared = true;
        m_level = std::make_unique<CGameLevel>(m_engine.get());
        m_level->SetDataFolder(dataFolder);
        m_level->SetDifficulty(2);
        m_level->SetSharedLoaded(true);
        return true;
    }

    // Frame times of one view in ms, wall and processor (every thread of the process: the
    // rasteriser's too); empty when it could not be shown.
    bool Time(const std::string& view, int frames, std::vector<double>& wall, std::vector<double>& cpu)
    {
        wall.clear();
        cpu.clear();
        CGameRandom::Seed(1);
        XGameEngine* engine = m_engine.get();
        CGameLevel* level = m_level.get();
        const bool play = std::find(std::begin(kScreenViews), std::end(kScreenViews), view) == std::end(kScreenViews);
        if (view == "title" || view == "menu")
        {
            ScreenFlow::ToTitle(engine, level);
            if (view == "menu")
                BuilderFlow::OpenMenu(engine, level, MenuMode::ChooseLevelSet);
        }
        else if (view == "builder")
        {
            BuilderFlow::OpenBuilder(engine, level, XString(CGameLevel::kNewBuilderLevel));
        }
        else
        {
            auto* screen = new CPlayScreen(level, false, view.c_str(), false);
            auto* bar = new CStatusBar(level, false);
            bar->FollowPlay(screen);
            engine->AddScreen(false, false, true, screen, nullptr);
            engine->AddScreen(true, false, false, bar, nullptr);
        }
        bool quit = false;
        for (int i = 0; i < kWarmUpFrames; ++i)
            if (!engine->Frame(quit) || quit)
                return false;
        if (play && level->GetLevelFileName() != view.c_str())
        {
            std::fprintf(stderr, "the level %s did not load: %s\n", view.c_str(), level->GetErrorMsg().GetBuffer());
            return false;
        }
        for (int i = 0; i < frames; ++i)
        {
            if (m_capture && i == frames - 1)
                engine->RequestScreenShot();
            const double cpuStart = ProcessorMs();
            const auto start = std::chrono::steady_clock::now();
            if (!engine->Frame(quit) || quit)
            {
                std::fprintf(stderr, "%s: the frame failed or the game ended: %s\n", view.c_str(),
                             engine->GetErrorMsg().GetBuffer());
                return false;
            }
            wall.push_back(std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count());
            cpu.push_back(ProcessorMs() - cpuStart);
        }
        return true;
    }

private:
    void Stop() { StopGameBench(m_engine, m_level, m_folder, m_shared); }

    fs::path m_data;
    fs::path m_folder = fs::temp_directory_path() / ("plk-bench-frames-" + std::to_string(getpid()));
    std::unique_ptr<XGameEngine> m_engine;
    std::unique_ptr<CGameLevel> m_level;
    bool m_shared = false;
    bool m_capture = false;
};

int Usage()
{
    std::fprintf(stderr, "usage: bench_frame_times [--size WxH] [--frames N] [--capture DIR] [VIEW...] | --list\n");
    return 2;
}

} // namespace

int main(int argc, char** argv)
{
    unsigned width = 1024, height = 768;
    int frames = kDefaultFrames;
    std::vector<std::string> views;
    std::string captureDir;
    for (int i = 1; i < argc; ++i)
    {
        const bool hasValue = i + 1 < argc;
        if (std::strcmp(argv[i], "--size") == 0 && hasValue)
        {
            if (std::sscanf(argv[++i], "%ux%u", &width, &height) != 2 || width == 0 || height == 0)
                return Usage();
        }
        else if (std::strcmp(argv[i], "--frames") == 0 && hasValue)
        {
            frames = std::atoi(argv[++i]);
            if (frames <= 0)
                return Usage();
        }
        else if (std::strcmp(argv[i], "--capture") == 0 && hasValue)
        {
            captureDir = argv[++i];
        }
        else if (std::strcmp(argv[i], "--list") == 0)
        {
            for (const std::string& view : AllViews(StagedData()))
                std::printf("%s\n", view.c_str());
            return 0;
        }
        else if (argv[i][0] == '-')
            return Usage();
        else
            views.push_back(argv[i]);
    }
    FrameBench bench;
    if (!bench.Start(width, height, captureDir))
        return 1;
    if (views.empty())
        views = AllViews(StagedData());
    int failed = 0;
    for (const std::string& view : views)
    {
        std::vector<double> wall, cpu;
        if (!bench.Time(view, frames, wall, cpu))
        {
            ++failed;
            continue;
        }
        std::printf("%-12s %ux%u %4zu %8.3f %8.3f %8.3f %7.1f\n", view.c_str(), width, height, wall.size(),
                    Percentile(wall, 0.5), Percentile(wall, 0.95), Percentile(cpu, 0.5), PeakResidentMegabytes());
        std::fflush(stdout);
    }
    return failed == 0 ? 0 : 1;
}
