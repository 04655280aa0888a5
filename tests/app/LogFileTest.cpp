// The log file: entries, line ends, the Logs folder and the size limit.
#include "app/config/CLogFile.h"
#include "tests/app/TempFolder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

namespace
{

std::string ReadAll(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

TEST(LogFileTest, EntriesAppendWithOneLineEndAndCreateTheFolder)
{
    TempFolder data;
    CLogFile log;
    log += "----------- WinMain Game Startup... Plinkett v1.0 -------------\r\n";
    log += "Date and time: 12/06/2026 20:00:00";
    log.WriteTo(XString(data.Path().c_str()));
    log.Clear();
    log += "already ended\r\n";
    log.WriteTo(XString(data.Path().c_str()));
    EXPECT_EQ("----------- WinMain Game Startup... Plinkett v1.0 -------------\r\n"
              "Date and time: 12/06/2026 20:00:00\r\nalready ended\r\n",
              ReadAll(data.Path() + "Logs/PlinkettLog.txt"));
}

TEST(LogFileTest, FileIsStartedAfreshOnlyWhenTheEntryWouldCrossTheLimit)
{
    TempFolder data;
    const std::string path = data.Path() + "Logs/PlinkettLog.txt";
    std::filesystem::create_directories(data.Path() + "Logs");
    std::ofstream(path, std::ios::binary) << std::string(90, 'x');

    CLogFile log;
    log.SetSizeLimit(100);
    log += "12345678"; // 8 + CRLF: exactly 100 with the file, kept
    log.WriteTo(XString(data.Path().c_str()));
    EXPECT_EQ(100u, std::filesystem::file_size(path));

    log.Clear();
    log += "next";
    log.WriteTo(XString(data.Path().c_str()));
    EXPECT_EQ("next\r\n", ReadAll(path));
}

} // namespace
