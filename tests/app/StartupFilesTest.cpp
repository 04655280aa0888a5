// The startup dialog's files: their exact bytes, the marker's presence rules, and damaged or
// partial files read as the dialog's defaults.
#include "app/CStartupFiles.h"
#include "tests/app/TempFolder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <sys/stat.h>

namespace
{

std::string ReadBytes(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

void WriteBytes(const std::string& path, const std::string& bytes)
{
    std::ofstream(path, std::ios::binary) << bytes;
}

class StartupFilesTest : public ::testing::Test
{
protected:
    std::string File(const char* name) const { return m_folder.Path() + name; }

    TempFolder m_folder;
    CStartupFiles m_files{XString(m_folder.Path().c_str())};
};

TEST_F(StartupFilesTest, ChecksFileHoldsExactlyBothStatesAndNoLoginWhenNotStored)
{
    CStartupFiles::Checks checks;
    checks.postScores = false;
    checks.storeLogin = false;
    checks.userName = "ann";
    checks.password = "pw";
    m_files.Save(checks);
    EXPECT_EQ("<Checks>\r\n\t<PostScores>false</PostScores>\r\n\t<StoreLogin>false</StoreLogin>\r\n</Checks>",
              ReadBytes(File(CStartupFiles::kChecksFile)));
    EXPECT_FALSE(std::filesystem::exists(File(CStartupFiles::kLoginFile)));

    // An unchecked "Store login" neither writes nor deletes a stored login.
    WriteBytes(File(CStartupFiles::kLoginFile), "earlier");
    checks.postScores = true;
    m_files.Save(checks);
    EXPECT_EQ("<Checks>\r\n\t<PostScores>true</PostScores>\r\n\t<StoreLogin>false</StoreLogin>\r\n</Checks>",
              ReadBytes(File(CStartupFiles::kChecksFile)));
    EXPECT_EQ("earlier", ReadBytes(File(CStartupFiles::kLoginFile)));
}

TEST_F(StartupFilesTest, StoredLoginIsEncipheredPrivateAndReadsBack)
{
    const std::string stale = File(CStartupFiles::kLoginFile);
    WriteBytes(stale, "old");
    chmod(stale.c_str(), 0644);

    CStartupFiles::Checks saved;
    saved.userName = "Quinn Ada";
    saved.password = "s3cret <&>";
    m_files.Save(saved);

    const std::string bytes = ReadBytes(stale);
    const std::string plain = CStartupFiles::LoginText(saved.userName, saved.password).GetBuffer();
    EXPECT_EQ("<Login>\r\n\t<User>Quinn Ada</User>\r\n\t<Pass>s3cret <&></Pass>\r\n</Login>", plain);
    EXPECT_EQ(std::string::npos, bytes.find("s3cret")) << "the password is stored enciphered";
    XString deciphered;
    deciphered.SetData(bytes.data(), static_cast<int>(bytes.size()));
    ASSERT_TRUE(deciphered.Decrypt("Pl3-LgK3y#7", 2));
    EXPECT_EQ(plain, std::string(deciphered.GetBuffer(), deciphered.GetLength()));

    struct stat info{};
    ASSERT_EQ(0, stat(stale.c_str(), &info));
    EXPECT_EQ(0600u, info.st_mode & 0777u) << "an earlier, wider file is narrowed";

    CStartupFiles::Checks loaded;
    loaded.postScores = false;
    m_files.Load(loaded);
    EXPECT_TRUE(loaded.postScores);
    EXPECT_TRUE(loaded.storeLogin);
    EXPECT_STREQ("Quinn Ada", loaded.userName.GetBuffer());
    EXPECT_STREQ("s3cret <&>", loaded.password.GetBuffer());
}

TEST_F(StartupFilesTest, UserNameHoldingTheEndTagIsStoredAsTypedAndReadsBackCut)
{
    CStartupFiles::Checks saved;
    saved.userName = "a</User>b";
    saved.password = "pw";
    m_files.Save(saved);
    CStartupFiles::Checks loaded;
    m_files.Load(loaded);
    EXPECT_STREQ("a", loaded.userName.GetBuffer());
    EXPECT_STREQ("pw", loaded.password.GetBuffer());
}

TEST_F(StartupFilesTest, MissingPartialAndDamagedFilesReadAsDefaults)
{
    CStartupFiles::Checks checks;
    m_files.Load(checks);
    EXPECT_TRUE(checks.postScores && checks.storeLogin) << "no file: both stay checked";

    // No <StoreLogin>: "Store login" unchecked and "_lg.dat" left unread.
    CStartupFiles::Checks stored;
    stored.userName = "kept";
    m_files.Save(stored);
    WriteBytes(File(CStartupFiles::kChecksFile), "<Checks>\r\n\t<PostScores>TRUE1</PostScores>\r\n</Checks>");
    checks = CStartupFiles::Checks();
    m_files.Load(checks);
    EXPECT_TRUE(checks.postScores);
    EXPECT_FALSE(checks.storeLogin);
    EXPECT_TRUE(checks.userName.IsEmpty());

    const std::vector<std::string> damaged = {std::string(), std::string("\0\xff\x01garbage", 10),
                                              "<Login><User>x</User>", std::string(4096, 'Z')};
    for (const std::string& bytes : damaged)
    {
        WriteBytes(File(CStartupFiles::kChecksFile), CStartupFiles::ChecksText(false, true).GetBuffer());
        WriteBytes(File(CStartupFiles::kLoginFile), bytes);
        checks = CStartupFiles::Checks();
        m_files.Load(checks);
        EXPECT_FALSE(checks.postScores);
        EXPECT_TRUE(checks.storeLogin);
        EXPECT_TRUE(checks.userName.IsEmpty() && checks.password.IsEmpty()) << "a damaged login fills nothing";
    }

    WriteBytes(File(CStartupFiles::kChecksFile), std::string("\x01\x02<Checks", 9));
    checks = CStartupFiles::Checks();
    m_files.Load(checks);
    EXPECT_FALSE(checks.postScores || checks.storeLogin) << "a file without the elements unchecks both";
}

TEST_F(StartupFilesTest, MarkerExistsOnlyWhileTheDialogIsNotAlwaysShown)
{
    EXPECT_FALSE(m_files.MarkerExists());
    m_files.UpdateMarker(false);
    ASSERT_TRUE(m_files.MarkerExists());
    EXPECT_EQ("Show startup dialog...", ReadBytes(File(CStartupFiles::kMarkerFile)));

    WriteBytes(File(CStartupFiles::kMarkerFile), "other");
    m_files.UpdateMarker(false);
    EXPECT_EQ("other", ReadBytes(File(CStartupFiles::kMarkerFile))) << "an existing marker is kept as it is";

    m_files.UpdateMarker(true);
    EXPECT_FALSE(m_files.MarkerExists());
    m_files.UpdateMarker(true);
    EXPECT_FALSE(m_files.MarkerExists());
}

TEST_F(StartupFilesTest, MissingDataFolderIsCreated)
{
    CStartupFiles files(XString((m_folder.Path() + "new\\data\\").c_str()));
    CStartupFiles::Checks checks;
    files.Save(checks);
    files.UpdateMarker(false);
    EXPECT_TRUE(std::filesystem::exists(m_folder.Path() + "new/data/Chks.xml"));
    EXPECT_TRUE(std::filesystem::exists(m_folder.Path() + "new/data/_lg.dat"));
    EXPECT_TRUE(files.MarkerExists());
}

} // namespace
