// A fresh temporary folder for engine tests, with helpers to write small files into it.
#pragma once

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

class EngineTempFolder
{
public:
    EngineTempFolder()
    {
        std::string pattern = (std::filesystem::temp_directory_path() / "plkengine_XXXXXX").string();
        if (mkdtemp(pattern.data()))
            m_path = pattern;
    }
    ~EngineTempFolder()
    {
        std::error_code ignored;
        std::filesystem::remove_all(m_path, ignored);
    }
    EngineTempFolder(const EngineTempFolder&) = delete;
    EngineTempFolder& operator=(const EngineTempFolder&) = delete;

    // The folder as an OS path without a trailing slash.
    const std::string& Path() const { return m_path; }
    // The folder as the game writes paths: backslash-ended (absolute paths keep their leading '/').
    std::string GamePath() const { return m_path + "\\"; }

    std::string Write(const std::string& name, const std::string& bytes) const
    {
        const std::string path = m_path + "/" + name;
        std::ofstream(path, std::ios::binary) << bytes;
        return path;
    }

private:
    std::string m_path;
};
