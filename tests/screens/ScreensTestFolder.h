// A temporary install folder for screen tests: data, levels and saved games, removed at the end.
#pragma once

#include "foundation/XString.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

class ScreensTestFolder
{
public:
    ScreensTestFolder()
    {
        std::string pattern = (std::filesystem::temp_directory_path() / "plkscreens_XXXXXX").string();
        if (mkdtemp(pattern.data()))
            m_path = pattern;
        std::filesystem::create_directories(m_path + "/data/levels");
        std::filesystem::create_directories(m_path + "/data/savedgames");
    }
    ~ScreensTestFolder()
    {
        std::error_code ignored;
        std::filesystem::remove_all(m_path, ignored);
    }
    ScreensTestFolder(const ScreensTestFolder&) = delete;
    ScreensTestFolder& operator=(const ScreensTestFolder&) = delete;

    // The data folder as the game names it: ending in a backslash.
    XString DataFolder() const { return XString((m_path + "/data\\").c_str()); }
    std::string LevelFile(const std::string& name) const { return m_path + "/data/levels/" + name + ".dat"; }
    std::string SavedGameFile(const std::string& name) const { return m_path + "/data/savedgames/" + name + ".dat"; }
    // A file or folder under the data folder, named with "/".
    std::string DataFile(const std::string& relative) const { return m_path + "/data/" + relative; }
    // An empty file is enough where only a level's existence counts.
    void TouchLevel(const std::string& name) const { std::ofstream(LevelFile(name)) << "x"; }

private:
    std::string m_path;
};
