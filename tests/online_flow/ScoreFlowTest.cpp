// The level-complete trigger, the score worker and the play screen's status message, against a
// loopback score service; and the service address read from the registry.
#include "game/CGameLevel.h"
#include "online/CServiceConfig.h"
#include "screens/CScoreUploads.h"
#include "screens/LevelCompletion.h"
#include "tests/online/LoopbackServer.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <thread>

namespace
{

using Clock = std::chrono::steady_clock;

std::string Str(const XString& text)
{
    return std::string(text.GetBuffer(), text.GetLength());
}

// A signed standard level, finished, in a game with a session.
void LoadSignedLevel(CGameLevel& level)
{
    CGameLevel written(nullptr);
    written.SetCurLevel(3);
    XString doc;
    written.WriteDocument(doc, false, false);
    std::string text = Str(doc);
    text.replace(text.find("<Signature></Signature>"), 23, "<Signature>Vantorel Software</Signature>");
    text.replace(text.find("<SignatureKey></SignatureKey>"), 29, "<SignatureKey>k3y</SignatureKey>");
    ASSERT_TRUE(level.LoadFromDocument(XString("StdLevel3"), XString(text.c_str()), false, false));
    level.SetGameSession(XString("StdLevel_2026"));
    level.SetLevelFileName(XString("StdLevel3"));
}

CScoreLogin LoggedIn()
{
    CScoreLogin login;
    login.userName = "player";
    login.ticket = "t1";
    login.uploadScores = true;
    return login;
}

CServiceConfig At(const std::string& base)
{
    CServiceConfig service;
    service.baseUrl = base.c_str();
    return service;
}

TEST(ScoreFlow, ServerAnswerReachesTheStatusMessage)
{
    const int port = RefusedPort();
    const std::string base = "http://127.0.0.1:" + std::to_string(port) + "/";
    const std::string body = "<soap:Envelope xmlns:soap=\"http://schemas.xmlsoap.org/soap/envelope/\"><soap:Body>"
                             "<AddScoreResponse xmlns=\"" + base + "ws/gamescore/\"><AddScoreResult>true"
                             "</AddScoreResult><sxServerMsg>Rank 3</sxServerMsg></AddScoreResponse>"
                             "</soap:Body></soap:Envelope>";
    LoopbackServer server("HTTP/1.1 200 OK\r\nContent-Length: " + std::to_string(body.size()) + "\r\n\r\n" + body,
                          LoopbackServer::Mode::kAnswer, port);
    ASSERT_TRUE(server.Valid());
    CScoreUploads::Configure(At(base));

    CGameLevel level(nullptr);
    LoadSignedLevel(level);
    ASSERT_TRUE(CLevelCompletion::PostScore(level, LoggedIn()));
    const std::string request = server.WaitForRequest();
    EXPECT_NE(std::string::npos, request.find("<sxUserName>player</sxUserName>"));
    EXPECT_NE(std::string::npos, request.find("<sxGameSessionId>StdLevel_2026</sxGameSessionId>"));

    const auto deadline = Clock::now() + std::chrono::seconds(5);
    while (level.GetStatusMessage().IsEmpty() && Clock::now() < deadline)
    {
        CScoreUploads::Deliver(level);
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    EXPECT_EQ("Rank 3", Str(level.GetStatusMessage()));
    EXPECT_TRUE(level.IsStatusMessageShown(CGameLevel::kStatusMessageMs - 1));
    EXPECT_FALSE(level.IsStatusMessageShown(CGameLevel::kStatusMessageMs));
    CScoreUploads::Shutdown();
}

TEST(ScoreFlow, WithTheNetworkDownTheFlowGoesOnAtOnceAndShowsNothing)
{
    CScoreUploads::Configure(At("http://127.0.0.1:" + std::to_string(RefusedPort()) + "/"));
    CGameLevel level(nullptr);
    LoadSignedLevel(level);
    const auto start = Clock::now();
    ASSERT_TRUE(CLevelCompletion::PostScore(level, LoggedIn()));
    const auto waited = Clock::now() - start;
    EXPECT_LT(waited, std::chrono::milliseconds(50));
    std::printf("level-complete flow went on after %lld us\n",
                static_cast<long long>(std::chrono::duration_cast<std::chrono::microseconds>(waited).count()));
    std::this_thread::sleep_for(std::chrono::milliseconds(200));
    CScoreUploads::Deliver(level);
    EXPECT_TRUE(level.GetStatusMessage().IsEmpty());

    EXPECT_FALSE(CLevelCompletion::PostScore(level, CScoreLogin())) << "no one logged in: nothing starts";
    CScoreUploads::Shutdown();
    EXPECT_FALSE(CLevelCompletion::PostScore(level, LoggedIn())) << "nothing starts after shutdown";
}

TEST(ServiceAddress, RegistryValueMachineWideFirstThenPerUserElseDefault)
{
    const std::filesystem::path root = std::filesystem::temp_directory_path() / ("plk-vreg-" + std::to_string(::getpid()));
    std::filesystem::remove_all(root);
    ASSERT_EQ(0, ::setenv("VREGISTRY_DIR", root.c_str(), 1));
    const char* machine = "HKEY_LOCAL_MACHINE\\Software\\T\\";
    const char* user = "HKEY_CURRENT_USER\\Software\\T\\";
    auto write = [&](const char* rootName, const std::string& value) {
        const std::filesystem::path key = root / rootName / "Software" / "T";
        std::filesystem::create_directories(key);
        std::ofstream(key / "ServiceURL", std::ios::binary) << value;
    };
    XString warnings;
    EXPECT_EQ(CServiceConfig::kDefaultBaseUrl, Str(CServiceConfig::ReadRegistry(machine, user, "ServiceURL", warnings)));
    write("HKEY_CURRENT_USER", "http://user.example:9000");
    EXPECT_EQ("http://user.example:9000/", Str(CServiceConfig::ReadRegistry(machine, user, "ServiceURL", warnings)));
    write("HKEY_LOCAL_MACHINE", "https://machine.example/\n");
    EXPECT_EQ("https://machine.example/", Str(CServiceConfig::ReadRegistry(machine, user, "ServiceURL", warnings)));
    EXPECT_TRUE(warnings.IsEmpty());
    write("HKEY_LOCAL_MACHINE", "gopher://nowhere");
    EXPECT_EQ("http://user.example:9000/", Str(CServiceConfig::ReadRegistry(machine, user, "ServiceURL", warnings)));
    EXPECT_NE(std::string::npos, Str(warnings).find("gopher://nowhere"));
    ::unsetenv("VREGISTRY_DIR");
    std::filesystem::remove_all(root);
}

} // namespace
