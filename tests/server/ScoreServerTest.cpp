// The score server in this process on a free loopback port, driven through the game's own
// login call and score worker, and through plain HTTP for what the game never sends.
#include "ServerTestSupport.h"

#include "online/CLoginInfo.h"
#include "online/CSoapClient.h"
#include "server/CScoreServer.h"

#include <httplib.h>

#include <mutex>
#include <thread>

using namespace plk::server;
using namespace plk::server::test;

namespace
{

class ScoreServerTest : public ::testing::Test
{
protected:
    ScoreServerTest()
        : m_store(OpenStore(m_folder.File("scores.sqlite"))), m_service(*m_store, {"StdLevel"}), m_server(m_service)
    {
        m_server.SetLogSink([this](const std::string& line) {
            std::lock_guard<std::mutex> lock(m_logMutex);
            m_log.push_back(line);
        });
        std::string error;
        EXPECT_TRUE(m_server.Start("127.0.0.1", 0, error)) << error;
        m_config.baseUrl = ("http://127.0.0.1:" + std::to_string(m_server.GetPort()) + "/").c_str();
        m_config.timeoutMs = 5000;
    }

    httplib::Client Http() const
    {
        httplib::Client client("127.0.0.1", m_server.GetPort());
        client.set_read_timeout(5, 0);
        return client;
    }

    void SignUp(const std::string& name, const std::string& password = "secret1")
    {
        auto res = Http().Post("/signup", httplib::Params{{"name", name}, {"password", password}, {"password2", password}});
        ASSERT_TRUE(res);
        ASSERT_EQ(res->status, 200) << res->body;
    }

    std::string Login(const std::string& name, const std::string& password = "secret1")
    {
        CLoginInfo login(m_config);
        EXPECT_TRUE(login.Login(name.c_str(), password.c_str(), true)) << login.GetCallError().GetBuffer();
        return login.m_strLoginTicket.GetBuffer();
    }

    // Runs the game's worker for the entry; the server message it brought back, or "(none)".
    std::string PostThroughWorker(const CScoreEntry& entry)
    {
        CScorePoster poster(m_config);
        auto job = poster.Post(entry);
        EXPECT_TRUE(job);
        if (!job)
            return "(no worker)";
        for (int i = 0; i < 1000 && !job->IsDone(); ++i)
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        XString message;
        std::chrono::steady_clock::time_point arrived;
        return job->TakeServerMessage(message, arrived) ? message.GetBuffer() : "(none)";
    }

    httplib::Result PostSoap(const char* path, const std::string& action, const std::string& body)
    {
        httplib::Headers headers{{"SOAPAction", action}};
        return Http().Post(path, headers, body, "text/xml; charset=utf-8");
    }

    std::vector<std::string> Log()
    {
        std::lock_guard<std::mutex> lock(m_logMutex);
        return m_log;
    }

    // The log outlives the server, whose threads write it until Stop returns.
    std::mutex m_logMutex;
    std::vector<std::string> m_log;
    ScratchFolder m_folder;
    std::unique_ptr<CSqliteScoreStore> m_store;
    CScoreService m_service;
    CScoreServer m_server;
    CServiceConfig m_config;
};

TEST_F(ScoreServerTest, GameLogsInWithTheRightPasswordOnly)
{
    SignUp("Quinn");
    const std::string ticket = Login("quinn");
    EXPECT_EQ(ticket.size(), 32u) << ticket;

    CLoginInfo wrong(m_config);
    EXPECT_FALSE(wrong.Login("Quinn", "not-the-password", true));
    EXPECT_TRUE(wrong.m_strLoginTicket.IsEmpty());
    EXPECT_TRUE(wrong.GetCallError().IsEmpty()) << "a refusal is an answer, not a failed call";
    EXPECT_FALSE(wrong.Login("Nobody", "secret1", true));
}

TEST_F(ScoreServerTest, WorkerPostingsComeBackAsRanks)
{
    SignUp("Rita");
    SignUp("Sam & <Co>");
    const std::string rita = Login("Rita");
    const std::string sam = Login("Sam & <Co>");

    EXPECT_EQ(PostThroughWorker(Entry("Rita", rita, "StdLevel1", 2500, 3)), "Rank 1 of 1 (StdLevel, hard)");
    EXPECT_EQ(PostThroughWorker(Entry("Sam & <Co>", sam, "StdLevel1", 3100, 3, "SamsGame")),
              "Rank 1 of 2 (StdLevel, hard)");
    EXPECT_EQ(PostThroughWorker(Entry("Rita", rita, "StdLevel2", 2900, 3)), "Rank 2 of 2 (StdLevel, hard)");
    EXPECT_EQ(PostThroughWorker(Entry("Rita", rita, "StdLevel2", 2900, 2, "Medium")), "Rank 1 of 1 (StdLevel, medium)");

    // What the server refuses still reaches the player's status bar as its message.
    EXPECT_EQ(PostThroughWorker(Entry("Rita", "ffffffffffffffffffffffffffffffff", "StdLevel3", 1, 3)),
              "Score not recorded: please log in again.");
    EXPECT_EQ(PostThroughWorker(Entry("Rita", sam, "StdLevel3", 99999, 3)), "Score not recorded: please log in again.");
    CScoreEntry homebrew = Entry("Rita", rita, "MyOwnLevels4", 99999, 3);
    EXPECT_EQ(PostThroughWorker(homebrew), "Score not recorded: the score data did not check out.");
    // A forged sxData: enciphered under another key than ticket + user + series.
    const CScoreEntry real = Entry("Rita", rita, "StdLevel3", 1, 3);
    CScoreEntry forger = real;
    forger.loginTicket = sam.c_str();
    CSoapClient client(m_config.ScoreEndpoint());
    std::vector<CSoapValue> outputs(3);
    ASSERT_EQ(client.Call(CScorePoster::AddScoreOperation(m_config),
                          {CSoapValue::Text(real.userName), CSoapValue::Text(real.signatureKey),
                           CSoapValue::Text(real.loginTicket), CSoapValue::Text(real.gameSession),
                           CSoapValue::Text(XString(Data(forger).c_str()))},
                          outputs),
              CSoapClient::kSuccess)
        << client.GetErrorMsg();
    EXPECT_FALSE(outputs[0].boolean);
    EXPECT_EQ(outputs[1].ToAnsi(), "Score not recorded: the score data did not check out.");

    std::int64_t count = 0;
    std::string error;
    ASSERT_TRUE(m_store->CountScores(count, error));
    EXPECT_EQ(count, 3);
}

TEST_F(ScoreServerTest, MalformedRequestsGetFaultsAndOversizedOnes413)
{
    const std::string action = "\"" + std::string(m_config.LoginNamespace().GetBuffer()) + "LoginUser\"";
    const std::string good = "<soap:Envelope xmlns:soap=\"http://schemas.xmlsoap.org/soap/envelope/\"><soap:Body>"
                             "<LoginUser xmlns=\"" + std::string(m_config.LoginNamespace().GetBuffer()) +
                             "\"><sxUserName>x</sxUserName><sxPassword>y</sxPassword></LoginUser></soap:Body>"
                             "</soap:Envelope>";
    auto res = PostSoap(CScoreServer::kLoginPath, action, good);
    ASSERT_TRUE(res);
    EXPECT_EQ(res->status, 200) << res->body;

    const std::pair<const char*, httplib::Result> kFaults[] = {
        {"not XML", PostSoap(CScoreServer::kLoginPath, action, "<soap:Envelope")},
        {"no SOAPAction", Http().Post(CScoreServer::kLoginPath, good, "text/xml")},
        {"other SOAPAction", PostSoap(CScoreServer::kLoginPath, "\"urn:other/LoginUser\"", good)},
        {"login on the score endpoint", PostSoap(CScoreServer::kGameScorePath, action, good)},
        {"missing password", PostSoap(CScoreServer::kLoginPath, action,
                                      std::string(good).replace(good.find("<sxPassword>"), 24, ""))},
    };
    for (const auto& [what, result] : kFaults)
    {
        ASSERT_TRUE(result) << what;
        EXPECT_EQ(result->status, 500) << what;
        CSoapFault fault;
        XString error;
        EXPECT_TRUE(CSoapEnvelope::ReadFault(result->body, fault, error)) << what << ": " << result->body;
        EXPECT_STREQ(fault.code.GetBuffer(), "soap:Client") << what;
    }

    std::string padded = good;
    padded.insert(padded.find("<soap:Body>"), CScoreServer::kMaxBodyBytes - good.size(), ' ');
    ASSERT_EQ(padded.size(), CScoreServer::kMaxBodyBytes);
    res = PostSoap(CScoreServer::kLoginPath, action, padded);
    ASSERT_TRUE(res);
    EXPECT_EQ(res->status, 200) << "64 KiB exactly is still taken";
    padded.insert(0, " ");
    res = PostSoap(CScoreServer::kLoginPath, action, padded);
    ASSERT_TRUE(res);
    EXPECT_EQ(res->status, 413);
}

TEST_F(ScoreServerTest, PagesShowPlayerNamesAsText)
{
    auto home = Http().Get("/");
    ASSERT_TRUE(home);
    EXPECT_EQ(home->status, 200);
    EXPECT_EQ(home->get_header_value("Content-Type"), "text/html; charset=utf-8");
    for (const char* link : {"href=\"/signup\"", "href=\"/scores\"", "href=\"/support\"", "href=\"/style.css\""})
        EXPECT_NE(home->body.find(link), std::string::npos) << link;
    EXPECT_EQ(home->body.find("<script"), std::string::npos);

    const std::string villain = "<script>alert(1)</script>";
    auto signUp = Http().Post("/signup", httplib::Params{{"name", villain}, {"password", "secret1"}, {"password2", "secret1"}});
    ASSERT_TRUE(signUp);
    EXPECT_EQ(signUp->status, 200);
    EXPECT_NE(signUp->body.find("&lt;script&gt;alert(1)&lt;/script&gt;"), std::string::npos) << signUp->body;
    EXPECT_EQ(signUp->body.find(villain), std::string::npos);

    auto differ = Http().Post("/signup", httplib::Params{{"name", "\"><b>x"}, {"password", "secret1"}, {"password2", "other1"}});
    ASSERT_TRUE(differ);
    EXPECT_EQ(differ->status, 400);
    EXPECT_NE(differ->body.find("value=\"&quot;&gt;&lt;b&gt;x\""), std::string::npos) << differ->body;

    const std::string ticket = Login(villain);
    ASSERT_EQ(PostThroughWorker(Entry(villain, ticket, "StdLevel7", 777, 1)), "Rank 1 of 1 (StdLevel, easy)");
    auto scores = Http().Get("/scores");
    ASSERT_TRUE(scores);
    EXPECT_EQ(scores->status, 200);
    EXPECT_NE(scores->body.find("<td>&lt;script&gt;alert(1)&lt;/script&gt;</td><td>7</td><td>777</td>"),
              std::string::npos)
        << scores->body;
    EXPECT_EQ(scores->body.find(villain), std::string::npos);
    EXPECT_NE(scores->body.find("StdLevel, easy"), std::string::npos);

    auto style = Http().Get("/style.css");
    ASSERT_TRUE(style);
    EXPECT_EQ(style->get_header_value("Content-Type"), "text/css; charset=utf-8");
    auto support = Http().Get("/support");
    ASSERT_TRUE(support);
    EXPECT_NE(support->body.find("ServiceURL"), std::string::npos);
    auto missing = Http().Get("/no/such/page");
    ASSERT_TRUE(missing);
    EXPECT_EQ(missing->status, 404);
    EXPECT_NE(missing->body.find("There is no page at this address."), std::string::npos);
}

TEST_F(ScoreServerTest, LogsOneLinePerRequest)
{
    SignUp("Tess");
    Login("Tess");
    Http().Get("/scores");
    Http().Get("/missing\r\nForged: line");
    m_server.Stop();
    const std::vector<std::string> log = Log();
    ASSERT_EQ(log.size(), 4u);
    // Each line is written after its answer went out, so lines of quick requests may swap.
    auto logged = [&log](const std::string& part) {
        for (const std::string& line : log)
            if (line.find(part) != std::string::npos)
                return true;
        return false;
    };
    EXPECT_TRUE(logged("\"POST /signup\" 200")) << log[0];
    EXPECT_TRUE(logged("sign-up accepted: Tess"));
    EXPECT_TRUE(logged("\"POST /ws/login/login.asmx\" 200"));
    EXPECT_TRUE(logged("LoginUser accepted: Tess"));
    EXPECT_TRUE(logged("\"GET /scores\" 200"));
    EXPECT_TRUE(logged("\"GET /missing??Forged: line\" 404"));
    for (const std::string& line : log)
        EXPECT_EQ(line.find_first_of("\r\n"), std::string::npos) << line;
}

TEST_F(ScoreServerTest, StopLosesNoAcknowledgedScore)
{
    SignUp("Uma");
    const std::string ticket = Login("Uma");
    const CSoapOperation addScore = CScorePoster::AddScoreOperation(m_config);
    std::atomic<int> acknowledged{0};
    std::vector<std::thread> clients;
    for (int t = 0; t < 4; ++t)
    {
        clients.emplace_back([&, t] {
            for (int i = 0;; ++i)
            {
                const CScoreEntry entry =
                    Entry("Uma", ticket, "StdLevel1", i, 2, "game-" + std::to_string(t) + "-" + std::to_string(i));
                CSoapClient client(m_config.ScoreEndpoint());
                client.Settings().connectTimeoutMs = 2000;
                client.Settings().ioTimeoutMs = 5000;
                std::vector<CSoapValue> outputs(3);
                const int result =
                    client.Call(addScore,
                                {CSoapValue::Text(entry.userName), CSoapValue::Text(entry.signatureKey),
                                 CSoapValue::Text(entry.loginTicket), CSoapValue::Text(entry.gameSession),
                                 CSoapValue::Text(XString(Data(entry).c_str()))},
                                outputs);
                if (result != CSoapClient::kSuccess)
                    return;
                ASSERT_TRUE(outputs[0].boolean) << outputs[2].ToAnsi().GetBuffer();
                ++acknowledged;
            }
        });
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(400));
    m_server.Stop();
    for (std::thread& client : clients)
        client.join();

    std::int64_t stored = 0;
    std::string error;
    ASSERT_TRUE(m_store->CountScores(stored, error)) << error;
    EXPECT_GT(acknowledged.load(), 0);
    EXPECT_EQ(stored, acknowledged.load()) << "every acknowledged score is in the database";
}

} // namespace
