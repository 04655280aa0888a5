// The SOAP call's error states, the login call and the score-posting worker against loopback
// servers.
#include "LoopbackServer.h"
#include "foundation/XTextCipher.h"
#include "online/CLoginInfo.h"
#include "online/CScorePoster.h"
#include "online/CSoapClient.h"

#include <gtest/gtest.h>

#include <chrono>
#include <string>
#include <thread>

namespace
{

using Clock = std::chrono::steady_clock;

std::string Str(const XString& text)
{
    return std::string(text.GetBuffer(), text.GetLength());
}

std::string Reply(int status, const std::string& body)
{
    return "HTTP/1.1 " + std::to_string(status) + " X\r\nContent-Type: text/xml; charset=utf-8\r\nContent-Length: " +
           std::to_string(body.size()) + "\r\n\r\n" + body;
}

std::string Envelope(const std::string& inner)
{
    return "<soap:Envelope xmlns:soap=\"http://schemas.xmlsoap.org/soap/envelope/\" "
           "xmlns:xsi=\"http://www.w3.org/2001/XMLSchema-instance\"><soap:Body>" +
           inner + "</soap:Body></soap:Envelope>";
}

// The service base URL of a loopback server: its namespaces carry the port.
CServiceConfig ServiceOf(const LoopbackServer& server)
{
    CServiceConfig service;
    service.baseUrl = server.Url("/").c_str();
    service.timeoutMs = 2000;
    return service;
}

std::string Between(const std::string& text, const std::string& begin, const std::string& end)
{
    const std::size_t from = text.find(begin);
    if (from == std::string::npos)
        return "<missing>";
    const std::size_t start = from + begin.size();
    return text.substr(start, text.find(end, start) - start);
}

// A loopback server whose reply is set once its port is known (the namespaces carry it).
struct Service
{
    explicit Service(const std::string& replyTemplate, LoopbackServer::Mode mode = LoopbackServer::Mode::kAnswer)
        : port(RefusedPort()), server(Fill(replyTemplate, port), mode, port)
    {
    }
    static std::string Fill(std::string text, int port)
    {
        const std::string base = "http://127.0.0.1:" + std::to_string(port) + "/";
        for (std::size_t at = text.find("$BASE/"); at != std::string::npos; at = text.find("$BASE/"))
            text.replace(at, 6, base);
        std::size_t length = text.find("\r\n\r\n");
        if (length != std::string::npos && text.find("Content-Length: ") != std::string::npos)
        {
            const std::size_t field = text.find("Content-Length: ") + 16;
            text.replace(field, text.find("\r\n", field) - field, std::to_string(text.size() - length - 4));
        }
        return text;
    }
    int port;
    LoopbackServer server;
};

CSoapOperation Op(const std::string& ns)
{
    CSoapOperation operation = CLoginInfo::LoginOperation(CServiceConfig());
    operation.ns = ns.c_str();
    return operation;
}

TEST(SoapClient, EachKindOfAnswerHasItsCodeAndFailuresLeaveOutputsAlone)
{
    struct Case
    {
        std::string reply;
        int code;
    };
    const std::string ok = Envelope("<LoginUserResponse xmlns=\"urn:t\"><LoginUserResult>true</LoginUserResult>"
                                    "<sxSessionId>abc</sxSessionId></LoginUserResponse>");
    const Case cases[] = {
        {Reply(200, ok), CSoapClient::kSuccess},
        {Reply(202, ""), CSoapClient::kSuccess},
        {Reply(201, ok), CSoapClient::kServerError},
        {Reply(500, Envelope("<soap:Fault><faultcode>soap:Server</faultcode><faultstring>boom</faultstring>"
                             "</soap:Fault>")),
         CSoapClient::kSoapFault},
        {Reply(500, "<html>oops</html>"), CSoapClient::kParseFaultError},
        {Reply(200, "<html>oops</html>"), CSoapClient::kReadError},
        {Reply(404, "gone"), CSoapClient::kConnectError},
    };
    for (const Case& c : cases)
    {
        LoopbackServer server(c.reply);
        ASSERT_TRUE(server.Valid());
        CSoapClient client(server.Url("/ws/login/login.asmx").c_str());
        std::vector<CSoapValue> outputs = {CSoapValue::Boolean(false), CSoapValue::Null(), CSoapValue::Text(u"x")};
        EXPECT_EQ(c.code, client.Call(Op("urn:t"), {CSoapValue::Text(u"u"), CSoapValue::Text(u"p"), CSoapValue::Null()},
                                      outputs))
            << c.reply;
        EXPECT_EQ(c.code, client.GetClientError());
        if (c.code == CSoapClient::kSuccess && c.reply.find(" 200 ") != std::string::npos)
        {
            EXPECT_TRUE(outputs[0].boolean);
            EXPECT_EQ("abc", Str(outputs[1].ToAnsi()));
        }
        else
        {
            EXPECT_FALSE(outputs[0].boolean) << c.reply;
            EXPECT_TRUE(outputs[1].isNull) << c.reply;
        }
        if (c.code == CSoapClient::kSoapFault)
        {
            EXPECT_EQ("boom", Str(client.GetFault().string));
        }
        const std::string request = server.WaitForRequest();
        EXPECT_NE(std::string::npos, request.find("\r\nSOAPAction: \"urn:tLoginUser\"\r\nAccept: text/xml\r\n"));
    }

    CSoapClient refused(("http://127.0.0.1:" + std::to_string(RefusedPort()) + "/").c_str());
    std::vector<CSoapValue> outputs(3);
    EXPECT_EQ(CSoapClient::kConnectError,
              refused.Call(Op("urn:t"), {CSoapValue::Null(), CSoapValue::Null(), CSoapValue::Null()}, outputs));
    EXPECT_EQ(CSoapClient::kGenerateError,
              refused.Call(Op("urn:t"), {CSoapValue::Text(u"\u0002"), CSoapValue::Null(), CSoapValue::Null()}, outputs));
}

TEST(LoginInfo, SuccessfulLoginKeepsTheTicketAndSendsEscapedCredentials)
{
    Service service(Reply(200, Envelope("<LoginUserResponse xmlns=\"$BASE/ws/\"><LoginUserResult>true</LoginUserResult>"
                                        "<sxSessionId>T-123</sxSessionId><sxMsg>hi</sxMsg></LoginUserResponse>")));
    ASSERT_TRUE(service.server.Valid());
    CLoginInfo login(ServiceOf(service.server));
    EXPECT_TRUE(login.Login("ann&<bob>", "pa\"ss", true)) << login.GetCallError().GetBuffer();
    EXPECT_EQ("T-123", Str(login.m_strLoginTicket));
    EXPECT_EQ("ann&<bob>", Str(login.m_strUserName));
    EXPECT_EQ("pa\"ss", Str(login.m_strPassword));
    EXPECT_TRUE(login.m_bUploadScores);

    const std::string request = service.server.WaitForRequest();
    EXPECT_EQ(0u, request.find("POST /ws/login/login.asmx HTTP/1.1\r\n"));
    EXPECT_NE(std::string::npos, request.find("SOAPAction: \"" + service.server.Url("/ws/LoginUser") + "\"\r\n"));
    EXPECT_EQ("ann&amp;&#x003C;bob&#x003E;", Between(request, "<sxUserName>", "</sxUserName>"));
    EXPECT_EQ("pa&quot;ss", Between(request, "<sxPassword>", "</sxPassword>"));
    EXPECT_EQ("Plinkett3", Between(request, "<sxSourceProgram>", "</sxSourceProgram>"));
}

TEST(LoginInfo, RefusedLoginAndEveryFailureReturnFalseAndKeepTheTicket)
{
    const std::string refusedReply = Reply(200, Envelope("<LoginUserResponse xmlns=\"$BASE/ws/\"><LoginUserResult>false"
                                                         "</LoginUserResult><sxSessionId/><sxMsg>bad</sxMsg>"
                                                         "</LoginUserResponse>"));
    const std::string faultReply = Reply(500, Envelope("<soap:Fault><faultcode>c</faultcode><faultstring>s</faultstring>"
                                                       "</soap:Fault>"));
    for (const std::string& reply : {refusedReply, faultReply})
    {
        Service service(reply);
        ASSERT_TRUE(service.server.Valid());
        CLoginInfo login(ServiceOf(service.server));
        login.m_strLoginTicket = "old";
        EXPECT_FALSE(login.Login("ann", "wrong", true));
        EXPECT_EQ(reply == refusedReply ? "" : "old", Str(login.m_strLoginTicket))
            << "a completed call stores the session id it got, a failed one leaves the ticket";
    }

    CServiceConfig down;
    down.baseUrl = ("http://127.0.0.1:" + std::to_string(RefusedPort()) + "/").c_str();
    CLoginInfo login(down);
    login.m_strLoginTicket = "old";
    EXPECT_FALSE(login.Login("ann", "pw", false));
    EXPECT_EQ("old", Str(login.m_strLoginTicket));
    EXPECT_NE(0u, login.GetCallError().GetLength());
}

TEST(LoginInfo, LoginWithAnEmptySessionIdStoresAnEmptyTicket)
{
    Service service(Reply(200, Envelope("<LoginUserResponse xmlns=\"$BASE/ws/\"><LoginUserResult>true</LoginUserResult>"
                                        "<sxSessionId></sxSessionId></LoginUserResponse>")));
    CLoginInfo login(ServiceOf(service.server));
    login.m_strLoginTicket = "old";
    EXPECT_TRUE(login.Login("ann", "pw", true));
    EXPECT_EQ("", Str(login.m_strLoginTicket));
}

CScoreEntry Entry()
{
    CScoreEntry entry;
    entry.userName = "Ann";
    entry.loginTicket = "TICKET";
    entry.signatureKey = "SigKey";
    entry.gameSession = "GS==";
    entry.levelFileName = "StdLevel12";
    entry.curLevel = 12;
    entry.total = -150;
    entry.difficulty = 3;
    return entry;
}

TEST(ScorePoster, DataDeciphersUnderTheKeyTextTheServerRebuilds)
{
    XString series;
    ASSERT_TRUE(CScorePoster::SeriesName("StdLevel12.xml", series));
    EXPECT_EQ("StdLevel", Str(series));
    EXPECT_EQ("Ann\nSigKey\nTICKET\nGS==\n12\n-150\n3", Str(CScorePoster::DataText(Entry())));
    EXPECT_EQ("ticketannstdlevel", Str(CScorePoster::KeyText("TICKET", "Ann", "StdLevel")));

    XString data, error;
    ASSERT_TRUE(CScorePoster::BuildData(Entry(), data, error)) << error.GetBuffer();
    data.DecodeBase64();
    XTextCipher cipher;
    ASSERT_TRUE(cipher.Decrypt(data, "ticketannstdlevel"));
    EXPECT_EQ("Ann\nSigKey\nTICKET\nGS==\n12\n-150\n3", Str(data));

    CScoreEntry noDigit = Entry();
    noDigit.levelFileName = "MyLevel";
    EXPECT_FALSE(CScorePoster::SeriesName(noDigit.levelFileName, series));
    EXPECT_FALSE(CScorePoster::BuildData(noDigit, data, error));
}

bool WaitFor(const std::function<bool()>& done, std::chrono::milliseconds limit)
{
    const auto deadline = Clock::now() + limit;
    while (!done() && Clock::now() < deadline)
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    return done();
}

TEST(ScorePoster, ServerMessageArrivesInTheResultSlotOnce)
{
    Service service(Reply(200, Envelope("<AddScoreResponse xmlns=\"$BASE/ws/gamescore/\"><AddScoreResult>true"
                                        "</AddScoreResult><sxServerMsg>Rank 3</sxServerMsg><sxMsg/></AddScoreResponse>")));
    ASSERT_TRUE(service.server.Valid());
    std::shared_ptr<CScoreJob> job;
    {
        CScorePoster poster(ServiceOf(service.server));
        CScoreEntry entry = Entry();
        job = poster.Post(entry);
        ASSERT_NE(nullptr, job);
        entry.userName = "changed after the post";
        EXPECT_TRUE(WaitFor([&] { return job->InputsCopied(); }, std::chrono::milliseconds(2000)));
        EXPECT_TRUE(WaitFor([&] { return job->IsDone(); }, std::chrono::milliseconds(5000)));
    }
    XString message;
    Clock::time_point arrived;
    ASSERT_TRUE(job->TakeServerMessage(message, arrived)) << "the slot outlives the poster";
    EXPECT_EQ("Rank 3", Str(message));
    EXPECT_LE(arrived, Clock::now());
    EXPECT_FALSE(job->TakeServerMessage(message, arrived)) << "delivered once";

    const std::string request = service.server.WaitForRequest();
    EXPECT_EQ(0u, request.find("POST /ws/gamescore/gamescore.asmx HTTP/1.1\r\n"));
    EXPECT_NE(std::string::npos,
              request.find("SOAPAction: \"" + service.server.Url("/ws/gamescore/AddScore") + "\"\r\n"));
    EXPECT_EQ("Ann", Between(request, "<sxUserName>", "</sxUserName>"));
    EXPECT_EQ("SigKey", Between(request, "<sxSignatureKey>", "</sxSignatureKey>"));
    EXPECT_EQ("TICKET", Between(request, "<sxOnlineSessionId>", "</sxOnlineSessionId>"));
    EXPECT_EQ("GS==", Between(request, "<sxGameSessionId>", "</sxGameSessionId>"));
    XString data(Between(request, "<sxData>", "</sxData>").c_str());
    data.DecodeBase64();
    XTextCipher cipher;
    ASSERT_TRUE(cipher.Decrypt(data, "ticketannstdlevel"));
    EXPECT_EQ("Ann\nSigKey\nTICKET\nGS==\n12\n-150\n3", Str(data));
}

TEST(ScorePoster, FailuresEndTheWorkerWithoutAResult)
{
    std::vector<std::shared_ptr<CScoreJob>> jobs;
    Service fault(Reply(500, Envelope("<soap:Fault><faultcode>c</faultcode><faultstring>s</faultstring></soap:Fault>")));
    CServiceConfig down;
    down.baseUrl = ("http://127.0.0.1:" + std::to_string(RefusedPort()) + "/").c_str();
    Service never("");
    {
        CScorePoster faulty(ServiceOf(fault.server));
        jobs.push_back(faulty.Post(Entry()));
        CScorePoster unreachable(down);
        jobs.push_back(unreachable.Post(Entry()));
        CScorePoster unused(ServiceOf(never.server));
        CScoreEntry noDigit = Entry();
        noDigit.levelFileName = "MyLevel";
        jobs.push_back(unused.Post(noDigit));
        for (const auto& job : jobs)
        {
            ASSERT_NE(nullptr, job);
            EXPECT_TRUE(WaitFor([&] { return job->IsDone(); }, std::chrono::milliseconds(5000)));
        }
    }
    for (const auto& job : jobs)
    {
        XString message;
        Clock::time_point arrived;
        EXPECT_FALSE(job->TakeServerMessage(message, arrived));
    }
    EXPECT_FALSE(never.server.GotConnection()) << "a level without a series number is never posted";
}

TEST(ScorePoster, ShutdownWhileAPostIsInFlightIsPrompt)
{
    LoopbackServer server("", LoopbackServer::Mode::kNeverAnswer);
    ASSERT_TRUE(server.Valid());
    CServiceConfig service = ServiceOf(server);
    service.timeoutMs = CServiceConfig::kDefaultTimeoutMs;
    auto poster = std::make_unique<CScorePoster>(service);
    const std::shared_ptr<CScoreJob> job = poster->Post(Entry());
    ASSERT_NE(nullptr, job);
    ASSERT_NE("", server.WaitForRequest()) << "the post is in flight";

    const auto start = Clock::now();
    poster.reset();
    const auto elapsed = Clock::now() - start;
    EXPECT_LT(elapsed, std::chrono::milliseconds(500));
    EXPECT_TRUE(job->IsDone());
    XString message;
    Clock::time_point arrived;
    EXPECT_FALSE(job->TakeServerMessage(message, arrived));
}

TEST(ScorePoster, NothingStartsAfterShutdown)
{
    CScorePoster poster;
    poster.Shutdown(0);
    EXPECT_EQ(nullptr, poster.Post(Entry()));
}

TEST(ServiceConfig, BaseUrlIsCheckedAndEndsInASlash)
{
    XString url("HTTPS://scores.example:8443/game\n"), error;
    ASSERT_TRUE(CServiceConfig::Normalise(url, error));
    EXPECT_EQ("HTTPS://scores.example:8443/game/", Str(url));
    CServiceConfig service;
    service.baseUrl = "http://h/";
    EXPECT_EQ("http://h/ws/login/login.asmx", Str(service.LoginEndpoint()));
    EXPECT_EQ("http://h/ws/", Str(service.LoginNamespace()));
    EXPECT_EQ("http://h/ws/gamescore/gamescore.asmx", Str(service.ScoreEndpoint()));
    EXPECT_EQ("http://h/ws/gamescore/", Str(service.ScoreNamespace()));
    EXPECT_EQ("http://127.0.0.1:8780/", Str(CServiceConfig().baseUrl));

    for (const char* bad : {"ftp://h/", "http://", "http:///path", "http://h /", "h:8780", ""})
    {
        XString kept(bad);
        EXPECT_FALSE(CServiceConfig::Normalise(kept, error)) << bad;
        EXPECT_EQ(bad, Str(kept));
        EXPECT_NE(0u, error.GetLength());
    }
}

} // namespace
