// A fresh temporary data folder for level tests, removed again at the end of the test.
#pragma once

#include <cstdlib>
#include <filesystem>
#include <string>

class LevelTestFolder
{
public:
    LevelTestFolder()
    {
        std::string pattern = (std::filesystem::temp_directory_path() / "plklevel_XXXXXX").string();
        if (mkdtemp(pattern.data()))
            m_path = pattern;
    }
    ~LevelTestFolder()
    {
        std::error_code ignored;
        std::filesystem::remove_all(m_path, ignored);
    }
    LevelTestFolder(const LevelTestFolder&) = delete;
    LevelTestFolder& operator=(const LevelTestFolder&) = delete;

    const std::string& Path() const { return m_path; }
    // As the game writes folders: ending in a backslash.
    std::string GamePath() const { return m_path + "\\"; }

private:
    std::string m_path;
};
