// The play demo: the play screen over a hand-made level (or a named level of the data folder) in
// a 1024 x 768 window, driven by the engine's automation options.
//   playdemo --data DIR [--level NAME] [--select N] [--seed N] [--fixed-step MS] [--max-frames N]
//            [--capture-dir DIR] [--script FILE]
#include "DemoLevel.h"

#include "engine/XDXSound.h"
#include "engine/XEngineOptions.h"
#include "engine/XGameEngine.h"
#include "engine/XGameScreen.h"
#include "engine/XScreenTransition.h"
#include "game/CFieldObject.h"
#include "game/CGameLevel.h"
#include "game/CPlayBlock.h"
#include "game/CWallBlock.h"
#include "game/GameRandom.h"
#include "screens/CPlayScreen.h"

#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <string>
#include <unistd.h>

namespace
{
const unsigned kWidth = 1024, kHeight = 768;
const unsigned kTransitionMs = 700;

// Stands over the play view and selects one cube once the level is loaded, so that a scripted
// run shows the arrows without having to aim a click.
class SelectScreen : public XGameScreen
{
public:
    SelectScreen(CGameLevel* level, int index) : m_pLevel(level), m_iIndex(index) {}
    void MyUpdate() override
    {
        if (m_iIndex >= 0 && m_iIndex < m_pLevel->GetNumPlayBlocks())
            m_pLevel->SetSelected(&m_pLevel->GetPlayBlock(m_iIndex));
        Close();
    }

private:
    CGameLevel* m_pLevel;
    int m_iIndex;
};

// A folder that shows every medium of the data folder and takes the demo's level files.
bool PrepareFolder(const std::filesystem::path& data, const std::filesystem::path& folder)
{
    std::error_code error;
    std::filesystem::create_directories(folder / "levels", error);
    std::filesystem::create_directories(folder / "savedgames", error);
    for (const auto& entry : std::filesystem::directory_iterator(data, error))
        if (entry.is_regular_file())
            std::filesystem::create_symlink(entry.path(), folder / entry.path().filename(), error);
    for (const auto& entry : std::filesystem::directory_iterator(data / "levels", error))
        std::filesystem::create_symlink(entry.path(), folder / "levels" / entry.path().filename(), error);
    return std::filesystem::exists(folder / "levels");
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
    std::string data, levelName;
    int select = -1;
    unsigned seed = static_cast<unsigned>(std::time(nullptr));
    bool seeded = false;
    for (int i = 1; i + 1 < argc; ++i)
    {
        std::string option = argv[i];
        if (option == "--data")
            data = argv[++i];
        else if (option == "--level")
            levelName = argv[++i];
        else if (option == "--select")
            select = std::atoi(argv[++i]);
        else if (option == "--seed")
        {
            seed = static_cast<unsigned>(std::strtoul(argv[++i], nullptr, 10));
            seeded = true;
        }
    }
    if (data.empty())
    {
        std::fprintf(stderr, "Error: playdemo needs --data DIR (the staged data folder)\n");
        return 2;
    }
    CGameRandom::Seed(seeded ? seed : (options.fixedStepMs ? 1u : seed));

    std::error_code ignored;
    const std::filesystem::path folder =
        std::filesystem::temp_directory_path() / ("plk-playdemo-" + std::to_string(getpid()));
    if (!PrepareFolder(data, folder))
    {
        std::fprintf(stderr, "Error: the demo folder %s could not be made\n", folder.string().c_str());
        return 1;
    }
    const XString dataFolder = (folder.string() + "/").c_str();

    int result = 0;
    {
        XGameEngine engine;
        engine.SetPath(dataFolder);
        XDXSound::SetPath(dataFolder);
        if (!engine.Setup(true, true, kWidth, kHeight, 32, -1, "Plinkett3PlayDemo", "Plinkett3 play demo") ||
            !engine.SetOptions(options))
        {
            std::fprintf(stderr, "%s\n", engine.GetErrorMsg().GetBuffer());
            std::filesystem::remove_all(folder, ignored);
            return 1;
        }
        XString error;
        if (!CPlayBlock::LoadShared(dataFolder, error) || !CWallBlock::LoadShared(dataFolder, error) ||
            !CFieldObject::LoadShared(dataFolder, error))
            std::fprintf(stderr, "%s\n", error.GetBuffer());

        CGameLevel level(&engine);
        level.SetDataFolder(dataFolder);
        level.SetDifficulty(2);
        if (levelName.empty())
        {
            playdemo::BuildDemoLevel(level, &engine);
            levelName = playdemo::kLevelName;
            if (!level.Save(levelName.c_str(), false))
                std::fprintf(stderr, "%s\n", level.GetErrorMsg().GetBuffer());
        }
        engine.AddScreen(false, false, true, new CPlayScreen(&level, false, levelName.c_str(), false),
                         new XScreenTransition(kTransitionMs));
        engine.AddScreen(true, false, false, new SelectScreen(&level, select), nullptr);
        if (!engine.Run())
        {
            std::fprintf(stderr, "%s\n", engine.GetErrorMsg().GetBuffer());
            result = 1;
        }
        CFieldObject::FreeShared();
        CWallBlock::FreeShared();
        CPlayBlock::FreeShared();
    }
    std::filesystem::remove_all(folder, ignored);
    return result;
}
