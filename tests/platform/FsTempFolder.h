// A fresh folder under the system's temporary folder, removed with everything in it at the end.
#pragma once

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

class FsTempFolder
{
  public:
    FsTempFolder()
    {
        std::string pattern = (std::filesystem::temp_directory_path() / "plkfs_XXXXXX").string();
        if (mkdtemp(pattern.data()) != nullptr)
        {
            m_path = pattern;
        }
    }
    ~FsTempFolder()
    {
        std::error_code ignored;
        std::filesystem::remove_all(m_path, ignored);
    }
    FsTempFolder(const FsTempFolder&) = delete;
    FsTempFolder& operator=(const FsTempFolder&) = delete;

    // The OS path of the folder, without a trailing "/".
    const std::string& Path() const { return m_path; }
    // The same folder as the program writes paths: backslashes after the absolute start.
    std::string ProgramPath(const std::string& relative = "") const { return m_path + "\\" + relative; }

    // Writes a file with the exact bytes given, through the standard library rather than fs.
    void Put(const std::string& relative, const std::string& bytes) const
    {
        std::filesystem::path full = std::filesystem::path(m_path) / relative;
        std::filesystem::create_directories(full.parent_path());
        std::ofstream(full, std::ios::binary) << bytes;
    }
    std::string Get(const std::string& relative) const
    {
        std::ifstream in(std::filesystem::path(m_path) / relative, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }
    bool Exists(const std::string& relative) const
    {
        return std::filesystem::exists(std::filesystem::path(m_path) / relative);
    }

  private:
    std::string m_path;
};
