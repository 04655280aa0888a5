// Reading requests and writing answers on the server side, checked against the game's own
// envelope writer and reader.
#include "online/CLoginInfo.h"
#include "online/CSoapEnvelope.h"
#include "server/SoapMessage.h"

#include <gtest/gtest.h>

using namespace plk::server;

namespace
{

std::string Envelope(const std::string& body, const std::string& header = "")
{
    return "<soap:Envelope xmlns:soap=\"http://schemas.xmlsoap.org/soap/envelope/\" "
           "xmlns:xsi=\"http://www.w3.org/2001/XMLSchema-instance\">" +
           header + "<soap:Body>" + body + "</soap:Body></soap:Envelope>";
}

TEST(SoapMessage, ReadsWhatTheGameWrites)
{
    CServiceConfig service;
    const CSoapOperation login = CLoginInfo::LoginOperation(service);
    XString envelope, error;
    const std::u16string name = u"A&B <\"x\"> \u00e9\U0001F600";
    ASSERT_TRUE(CSoapEnvelope::WriteRequest(
        login, {CSoapValue::Text(name), CSoapValue::Text(std::u16string()), CSoapValue::Null()}, envelope, error))
        << error.GetBuffer();

    CSoapCall call;
    std::string reason;
    ASSERT_TRUE(ReadSoapCall(std::string_view(envelope.GetBuffer(), envelope.GetLength()), call, reason)) << reason;
    EXPECT_EQ(call.operation, "LoginUser");
    EXPECT_EQ(call.ns, "http://127.0.0.1:8780/ws/");
    ASSERT_TRUE(call.Text("sxUserName"));
    EXPECT_EQ(*call.Text("sxUserName"), "A&B <\"x\"> \xC3\xA9\xF0\x9F\x98\x80");
    ASSERT_TRUE(call.Text("sxPassword")) << "an empty string is not NULL";
    EXPECT_EQ(*call.Text("sxPassword"), "");
    EXPECT_EQ(call.parameters.count("sxSourceProgram"), 1u);
    EXPECT_FALSE(call.Text("sxSourceProgram")) << "xsi:nil reads as NULL";
}

TEST(SoapMessage, SkipsTheHeaderAndKeepsUnknownParameters)
{
    CSoapCall call;
    std::string error;
    ASSERT_TRUE(ReadSoapCall(Envelope("<AddScore xmlns=\"urn:x/ws/gamescore/\"><sxData>QQ==</sxData>"
                                      "<extra>1</extra></AddScore>",
                                      "<soap:Header><auth><token>t</token></auth></soap:Header>"),
                             call, error))
        << error;
    EXPECT_EQ(call.operation, "AddScore");
    EXPECT_EQ(*call.Text("sxData"), "QQ==");
    EXPECT_EQ(*call.Text("extra"), "1");
}

TEST(SoapMessage, RefusesWhatIsNoSingleOperationEnvelope)
{
    const std::string bomb = "<?xml version=\"1.0\"?><!DOCTYPE lolz [<!ENTITY lol \"lol\">"
                             "<!ENTITY lol2 \"&lol;&lol;&lol;&lol;&lol;&lol;&lol;&lol;&lol;&lol;\">]>" +
                             Envelope("<LoginUser xmlns=\"urn:x/ws/\"><sxUserName>&lol2;</sxUserName></LoginUser>");
    const std::string external = "<!DOCTYPE e [<!ENTITY x SYSTEM \"file:///etc/passwd\">]>" +
                                 Envelope("<LoginUser><sxUserName>&x;</sxUserName></LoginUser>");
    std::string deep;
    for (int i = 0; i < 200; ++i)
        deep = "<a>" + deep + "</a>";
    const std::pair<const char*, std::string> kCases[] = {
        {"empty", ""},
        {"not XML", "user=alice&password=x"},
        {"unclosed", Envelope("<LoginUser>")},
        {"entity bomb", bomb},
        {"external entity", external},
        {"deep nesting", Envelope("<LoginUser><sxUserName>" + deep + "</sxUserName></LoginUser>")},
        {"another root", "<Envelope><Body><LoginUser/></Body></Envelope>"},
        {"SOAP 1.2 namespace",
         "<e:Envelope xmlns:e=\"http://www.w3.org/2003/05/soap-envelope\"><e:Body><LoginUser/></e:Body></e:Envelope>"},
        {"no body", "<soap:Envelope xmlns:soap=\"http://schemas.xmlsoap.org/soap/envelope/\"/>"},
        {"empty body", Envelope("")},
        {"two operations", Envelope("<LoginUser/><LoginUser/>")},
        {"element in a parameter", Envelope("<LoginUser><sxUserName><b>x</b></sxUserName></LoginUser>")},
        {"parameter twice", Envelope("<LoginUser><sxUserName>a</sxUserName><sxUserName>b</sxUserName></LoginUser>")},
        {"text in the body", Envelope("hello<LoginUser/>")},
        {"nil with text",
         Envelope("<LoginUser><sxUserName xsi:nil=\"true\">a</sxUserName></LoginUser>")},
    };
    for (const auto& [what, body] : kCases)
    {
        CSoapCall call;
        call.operation = "untouched";
        std::string error;
        EXPECT_FALSE(ReadSoapCall(body, call, error)) << what;
        EXPECT_FALSE(error.empty()) << what;
        EXPECT_EQ(call.operation, "untouched") << what << ": a refused request leaves the call alone";
    }
}

TEST(SoapMessage, AnswersReadBackThroughTheGamesReader)
{
    CServiceConfig service;
    const CSoapOperation login = CLoginInfo::LoginOperation(service);
    CSoapCall call;
    call.operation = "LoginUser";
    call.ns = "http://127.0.0.1:8780/ws/";
    const std::string response =
        WriteSoapResponse(call, {CSoapOutput::Boolean("LoginUserResult", true), CSoapOutput::Null("sxSessionId"),
                                 CSoapOutput::Text("sxMsg", "Tom & \"Jerry\" <b>\x01 \xC3\xA9")});
    std::vector<CSoapValue> outputs(3);
    XString error;
    ASSERT_TRUE(CSoapEnvelope::ReadResponse(login, response, outputs, error)) << error.GetBuffer() << "\n" << response;
    EXPECT_TRUE(outputs[0].boolean);
    EXPECT_TRUE(outputs[1].isNull);
    EXPECT_EQ(outputs[2].text, u"Tom & \"Jerry\" <b>? \u00e9") << "a control character XML cannot carry becomes '?'";

    CSoapFault fault;
    ASSERT_TRUE(CSoapEnvelope::ReadFault(WriteSoapFault("soap:Client", "bad <request>"), fault, error))
        << error.GetBuffer();
    EXPECT_STREQ(fault.code.GetBuffer(), "soap:Client");
    EXPECT_STREQ(fault.string.GetBuffer(), "bad <request>");
}

} // namespace
