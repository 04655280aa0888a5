// The log file: entries, line ends, the Logs folder, the size limit and the process-wide folder.
#include "foundation/CLogFile.h"
#include "tests/platform/FsTempFolder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

namespace
{

TEST(LogFileTest, EntriesAppendWithOneLineEndAndCreateTheFolder)
{
    FsTempFolder data;
    CLogFile log;
    log += "----------- WinMain Game Startup... Plinkett v1.0 -------------\r\n";
    log += "Date and time: 12/06/2026 20:00:00";
    log.WriteTo(XString(data.ProgramPath().c_str()));
    log.Clear();
    log += "already ended\r\n";
    log.WriteTo(XString(data.ProgramPath().c_str()));
    EXPECT_EQ("----------- WinMain Game Startup... Plinkett v1.0 -------------\r\n"
              "Date and time: 12/06/2026 20:00:00\r\nalready ended\r\n",
              data.Get("Logs/PlinkettLog.txt"));
}

TEST(LogFileTest, FileIsStartedAfreshOnlyWhenTheEntryWouldCrossTheLimit)
{
    FsTempFolder data;
    data.Put("Logs/PlinkettLog.txt", std::string(90, 'x'));

    CLogFile log;
    log.SetSizeLimit(100);
    log += "12345678"; // 8 + CRLF: exactly 100 with the file, kept
    log.WriteTo(XString(data.ProgramPath().c_str()));
    EXPECT_EQ(100u, std::filesystem::file_size(data.Path() + "/Logs/PlinkettLog.txt"));

    log.Clear();
    log += "next";
    log.WriteTo(XString(data.ProgramPath().c_str()));
    EXPECT_EQ("next\r\n", data.Get("Logs/PlinkettLog.txt"));
}

TEST(LogFileTest, LinesGoUnderTheDataFolderSetForTheProcess)
{
    FsTempFolder first, second;
    const XString previous = CLogFile::GetDataFolder();
    CLogFile::SetDataFolder(XString(first.ProgramPath().c_str()));
    CLogFile::WriteLine(XString("one"));
    CLogFile::SetDataFolder(XString(second.ProgramPath().c_str()));
    CLogFile::WriteLine(XString("two"));
    CLogFile::SetDataFolder(previous);
    EXPECT_EQ("one\r\n", first.Get("Logs/PlinkettLog.txt"));
    EXPECT_EQ("two\r\n", second.Get("Logs/PlinkettLog.txt"));
}

} // namespace
