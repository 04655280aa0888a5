// The HTTP client against a loopback server that records the request and answers as told.
#include "LoopbackServer.h"
#include "online/CHttpClient.h"

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

long long MsSince(Clock::time_point start)
{
    return std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - start).count();
}

CHttpRequest SoapLikeRequest(const char* body)
{
    CHttpRequest request;
    request.extraHeaders = "SOAPAction: \"http://example/ws/LoginUser\"\r\nAccept: text/xml\r\n";
    request.body = body;
    return request;
}

TEST(HttpClient, SendsTheRequestLineHeadersAndBodyExactlyAndReadsAContentLengthReply)
{
    LoopbackServer server("HTTP/1.1 200 OK\r\nContent-Type: text/xml\r\nContent-Length: 5\r\n\r\nhello");
    ASSERT_TRUE(server.Valid());
    CHttpClient client;
    const std::string url = server.Url("/ws/login/login.asmx?x=1");
    ASSERT_TRUE(client.Navigate(url.c_str(), SoapLikeRequest("<a>b</a>"))) << client.GetErrorMsg();

    // Host follows the request line, as HTTP/1.1 recommends; the rest keep their order.
    const std::string expected = "POST /ws/login/login.asmx?x=1 HTTP/1.1\r\n"
                                 "Host: 127.0.0.1:" + std::to_string(server.Port()) + "\r\n"
                                 "Content-Length: 8\r\n"
                                 "Content-Type: text/xml; charset=utf-8\r\n"
                                 "SOAPAction: \"http://example/ws/LoginUser\"\r\n"
                                 "Accept: text/xml\r\n"
                                 "User-Agent: Microsoft-ATL-Native/7.00\r\n"
                                 "\r\n"
                                 "<a>b</a>";
    EXPECT_EQ(expected, server.WaitForRequest());
    EXPECT_EQ(200, client.GetStatus());
    EXPECT_EQ("hello", Str(client.GetResponse()));
    EXPECT_STREQ("", client.GetErrorMsg());
    ASSERT_NE(nullptr, client.FindHeader("content-type")) << "header names ignore case";
    EXPECT_EQ("text/xml", Str(*client.FindHeader("CONTENT-TYPE")));
    EXPECT_EQ(nullptr, client.FindHeader("Location"));
}

TEST(HttpClient, HostLineCarriesThePortOnlyWhenItIsNotTheDefault)
{
    LoopbackServer other("HTTP/1.1 200 OK\r\nContent-Length: 0\r\n\r\n");
    ASSERT_TRUE(other.Valid());
    CHttpClient client;
    const std::string url = "http://localhost:" + std::to_string(other.Port()) + "/p";
    ASSERT_TRUE(client.Navigate(url.c_str(), SoapLikeRequest("x"))) << client.GetErrorMsg();
    EXPECT_NE(std::string::npos, other.WaitForRequest().find("\r\nHost: localhost:" + std::to_string(other.Port()) + "\r\n"));

    // Port 80 is privileged; without it the default-port half cannot run here.
    LoopbackServer standard("HTTP/1.1 200 OK\r\nContent-Length: 0\r\n\r\n", LoopbackServer::Mode::kAnswer, 80);
    if (!standard.Valid())
        GTEST_SKIP() << "port 80 cannot be bound here";
    ASSERT_TRUE(client.Navigate("http://localhost:80/p", SoapLikeRequest("x"))) << client.GetErrorMsg();
    EXPECT_NE(std::string::npos, standard.WaitForRequest().find("\r\nHost: localhost\r\n"));
}

TEST(HttpClient, ChunkedBodyIsJoinedAndItsTrailerDropped)
{
    LoopbackServer server("HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\nTrailer: X-Check\r\n\r\n"
                          "5\r\nhello\r\n7\r\n, world\r\n1a\r\n abcdefghijklmnopqrstuvwxy\r\n0\r\nX-Check: 42\r\n\r\n");
    ASSERT_TRUE(server.Valid());
    CHttpClient client;
    ASSERT_TRUE(client.Navigate(server.Url("/").c_str(), SoapLikeRequest("x"))) << client.GetErrorMsg();
    EXPECT_EQ("hello, world abcdefghijklmnopqrstuvwxy", Str(client.GetResponse()));
    EXPECT_EQ(nullptr, client.FindHeader("X-Check"));
    ASSERT_NE(nullptr, client.FindHeader("Trailer"));
}

TEST(HttpClient, BodyWithoutLengthRunsToTheEndOfTheConnection)
{
    LoopbackServer server("HTTP/1.1 200 OK\r\nConnection: close\r\n\r\nevery byte\r\nup to the close");
    ASSERT_TRUE(server.Valid());
    CHttpClient client;
    ASSERT_TRUE(client.Navigate(server.Url("/").c_str(), SoapLikeRequest("x"))) << client.GetErrorMsg();
    EXPECT_EQ("every byte\r\nup to the close", Str(client.GetResponse()));
}

TEST(HttpClient, FailureStatusesKeepStatusAndBody)
{
    const std::string fault = "<soap:Envelope>fault</soap:Envelope>";
    LoopbackServer server("HTTP/1.1 500 Internal Server Error\r\nContent-Length: " + std::to_string(fault.size()) +
                          "\r\n\r\n" + fault);
    ASSERT_TRUE(server.Valid());
    CHttpClient client;
    EXPECT_FALSE(client.Navigate(server.Url("/").c_str(), SoapLikeRequest("x")));
    EXPECT_EQ(500, client.GetStatus());
    EXPECT_EQ(fault, Str(client.GetResponse()));
    EXPECT_STRNE("", client.GetErrorMsg());

    LoopbackServer missing("HTTP/1.1 404 Not Found\r\nContent-Length: 4\r\n\r\nnone");
    ASSERT_TRUE(missing.Valid());
    EXPECT_FALSE(client.Navigate(missing.Url("/").c_str(), SoapLikeRequest("x")));
    EXPECT_EQ(404, client.GetStatus());
    EXPECT_EQ("none", Str(client.GetResponse()));
}

TEST(HttpClient, ServerThatNeverAnswersFailsAfterTheSilenceLimit)
{
    LoopbackServer server("", LoopbackServer::Mode::kNeverAnswer);
    ASSERT_TRUE(server.Valid());
    CHttpRequest request = SoapLikeRequest("x");
    request.connectTimeoutMs = 300;
    request.ioTimeoutMs = 300;
    CHttpClient client;
    const auto start = Clock::now();
    EXPECT_FALSE(client.Navigate(server.Url("/").c_str(), request));
    const long long elapsed = MsSince(start);
    EXPECT_EQ(0, client.GetStatus());
    EXPECT_EQ(0u, client.GetResponse().GetLength());
    EXPECT_GE(elapsed, 250);
    EXPECT_LT(elapsed, 3000);
    EXPECT_NE(std::string::npos, std::string(client.GetErrorMsg()).find("did not answer in time"));
}

TEST(HttpClient, GiveUpFlagEndsACallInFlightAtOnce)
{
    LoopbackServer server("", LoopbackServer::Mode::kNeverAnswer);
    ASSERT_TRUE(server.Valid());
    std::atomic<bool> giveUp{false};
    CHttpRequest request = SoapLikeRequest("x");
    request.giveUp = &giveUp;
    CHttpClient client;
    std::thread trigger([&] {
        server.WaitForRequest();
        giveUp = true;
    });
    const auto start = Clock::now();
    EXPECT_FALSE(client.Navigate(server.Url("/").c_str(), request));
    const long long elapsed = MsSince(start);
    trigger.join();
    EXPECT_EQ(0, client.GetStatus());
    EXPECT_LT(elapsed, 1000) << "the default limits are 10 s; only the flag ends it this early";
}

TEST(HttpClient, RefusedPortAndBadUrlsFailWithStatusZero)
{
    CHttpClient client;
    const std::string refused = "http://127.0.0.1:" + std::to_string(RefusedPort()) + "/";
    const auto start = Clock::now();
    EXPECT_FALSE(client.Navigate(refused.c_str(), SoapLikeRequest("x")));
    EXPECT_LT(MsSince(start), 2000);
    EXPECT_EQ(0, client.GetStatus());

    EXPECT_FALSE(client.Navigate("ftp://127.0.0.1/file", SoapLikeRequest("x")));
    EXPECT_EQ(0, client.GetStatus());
    EXPECT_FALSE(client.Navigate("not a url", SoapLikeRequest("x")));
    EXPECT_EQ(0, client.GetStatus());
}

TEST(HttpClient, HeaderLinesCannotBeSmuggledIn)
{
    LoopbackServer server("HTTP/1.1 200 OK\r\nContent-Length: 0\r\n\r\n");
    ASSERT_TRUE(server.Valid());
    CHttpClient client;
    CHttpRequest request = SoapLikeRequest("x");
    request.extraHeaders = "X-One: a\rX-Two: b\r\n";
    EXPECT_FALSE(client.Navigate(server.Url("/").c_str(), request));
    request = SoapLikeRequest("x");
    request.contentType = "text/xml\r\nX-Two: b";
    EXPECT_FALSE(client.Navigate(server.Url("/").c_str(), request));
    EXPECT_FALSE(server.GotConnection()) << "nothing is sent";
}

TEST(HttpClient, BodyOverTheLimitFailsInsteadOfFillingMemory)
{
    const std::string big(CHttpRequest().maxResponseBytes + 1, 'x');
    LoopbackServer declared("HTTP/1.1 200 OK\r\nContent-Length: " + std::to_string(big.size()) + "\r\n\r\n" + big);
    ASSERT_TRUE(declared.Valid());
    CHttpClient client;
    EXPECT_FALSE(client.Navigate(declared.Url("/").c_str(), SoapLikeRequest("x")));
    EXPECT_EQ(0, client.GetStatus());
    EXPECT_EQ(0u, client.GetResponse().GetLength());

    // Without a length the limit is found while reading.
    LoopbackServer streamed("HTTP/1.1 200 OK\r\nConnection: close\r\n\r\n" + big);
    ASSERT_TRUE(streamed.Valid());
    EXPECT_FALSE(client.Navigate(streamed.Url("/").c_str(), SoapLikeRequest("x")));
    EXPECT_EQ(0, client.GetStatus());
    EXPECT_NE(std::string::npos, std::string(client.GetErrorMsg()).find("longer than the limit"));

    const std::string fits(CHttpRequest().maxResponseBytes, 'y');
    LoopbackServer exact("HTTP/1.1 200 OK\r\nContent-Length: " + std::to_string(fits.size()) + "\r\n\r\n" + fits);
    ASSERT_TRUE(exact.Valid());
    EXPECT_TRUE(client.Navigate(exact.Url("/").c_str(), SoapLikeRequest("x"))) << client.GetErrorMsg();
    EXPECT_EQ(fits.size(), client.GetResponse().GetLength());
}

} // namespace
