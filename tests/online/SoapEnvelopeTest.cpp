// The SOAP envelope writer and the response and fault readers, hostile bodies included.
#include "online/CSoapEnvelope.h"

#include <gtest/gtest.h>

#include <chrono>
#include <string>

namespace
{

const char* const kHead = "<soap:Envelope xmlns:soap=\"http://schemas.xmlsoap.org/soap/envelope/\" "
                          "xmlns:xsi=\"http://www.w3.org/2001/XMLSchema-instance\" "
                          "xmlns:xsd=\"http://www.w3.org/2001/XMLSchema\" "
                          "xmlns:soapenc=\"http://schemas.xmlsoap.org/soap/encoding/\"><soap:Body>";

std::string Str(const XString& text)
{
    return std::string(text.GetBuffer(), text.GetLength());
}

CSoapOperation Login()
{
    CSoapOperation operation;
    operation.name = "LoginUser";
    operation.ns = "http://example/ws/";
    operation.inputs = {{"sxUserName", ESoapType::kString}, {"sxPassword", ESoapType::kString},
                        {"sxSourceProgram", ESoapType::kString}};
    operation.outputs = {{"LoginUserResult", ESoapType::kBoolean}, {"sxSessionId", ESoapType::kString},
                         {"sxMsg", ESoapType::kString}};
    return operation;
}

std::string Response(const std::string& inner)
{
    return std::string("<?xml version=\"1.0\" encoding=\"utf-8\"?>"
                       "<soap:Envelope xmlns:soap=\"http://schemas.xmlsoap.org/soap/envelope/\" "
                       "xmlns:xsi=\"http://www.w3.org/2001/XMLSchema-instance\"><soap:Body>") +
           inner + "</soap:Body></soap:Envelope>";
}

std::string Write(const std::u16string& user)
{
    XString envelope, error;
    EXPECT_TRUE(CSoapEnvelope::WriteRequest(Login(), {CSoapValue::Text(user), CSoapValue::Null(), CSoapValue::Text(u"")},
                                            envelope, error))
        << error.GetBuffer();
    return Str(envelope);
}

TEST(SoapEnvelope, RequestIsOneLineWithNullAndEmptyStringsApart)
{
    XString envelope, error;
    ASSERT_TRUE(CSoapEnvelope::WriteRequest(
        Login(), {CSoapValue::Text(XString("ann")), CSoapValue::Null(), CSoapValue::Text(u"")}, envelope, error));
    EXPECT_EQ(std::string(kHead) +
                  "<LoginUser xmlns=\"http://example/ws/\"><sxUserName>ann</sxUserName>"
                  "<sxPassword xsi:nil=\"1\"/><sxSourceProgram></sxSourceProgram></LoginUser>"
                  "</soap:Body></soap:Envelope>",
              Str(envelope));
    EXPECT_EQ("SOAPAction: \"http://example/ws/LoginUser\"\r\n", Str(Login().SoapActionLine()));

    EXPECT_FALSE(CSoapEnvelope::WriteRequest(Login(), {CSoapValue::Null()}, envelope, error)) << "too few inputs";
}

TEST(SoapEnvelope, EscapesMarkupQuotesControlsAndCharactersBeyondAscii)
{
    const std::string written = Write(u"a&b<c>\"d'e\tf\ng\rh\u00e9\u20ac\U0001F600");
    EXPECT_NE(std::string::npos,
              written.find("<sxUserName>a&amp;b&#x003C;c&#x003E;&quot;d&apos;e&#x0009;f&#x000A;g&#x000D;h"
                           "&#x00E9;&#x20AC;&#x01F600;</sxUserName>"))
        << written;
    for (char c : written)
        EXPECT_TRUE(c >= 0x20 && c < 0x7F) << "the wire text is plain ASCII";
}

TEST(SoapEnvelope, RefusesWhatXmlCannotCarry)
{
    XString envelope("kept"), error;
    const std::u16string bad[] = {u"a\u0001b", std::u16string(1, u'\0'), u"\uFFFE", std::u16string(1, char16_t(0xD83D)),
                                  std::u16string(1, char16_t(0xDE00)) + u"x"};
    for (const std::u16string& text : bad)
    {
        EXPECT_FALSE(CSoapEnvelope::WriteRequest(
            Login(), {CSoapValue::Text(text), CSoapValue::Null(), CSoapValue::Null()}, envelope, error));
        EXPECT_EQ("kept", Str(envelope)) << "nothing half written";
        EXPECT_NE(std::string::npos, Str(error).find("sxUserName"));
    }
}

TEST(SoapEnvelope, WrittenValuesReadBackUnchanged)
{
    // A server that echoes the request's values: what the writer escapes, the reader restores.
    const std::u16string user = u"a&b<c>\"d'e\tf\ng\rh\u00e9\U0001F600";
    const std::string written = Write(user);
    const std::size_t from = written.find("<sxUserName>") + 12;
    const std::string value = written.substr(from, written.find("</sxUserName>") - from);
    std::vector<CSoapValue> outputs(3);
    XString error;
    ASSERT_TRUE(CSoapEnvelope::ReadResponse(
        Login(),
        Response("<LoginUserResponse xmlns=\"http://example/ws/\"><LoginUserResult>true</LoginUserResult>"
                 "<sxSessionId>" + value + "</sxSessionId><sxMsg/></LoginUserResponse>"),
        outputs, error))
        << error.GetBuffer();
    EXPECT_TRUE(outputs[0].boolean);
    EXPECT_FALSE(outputs[1].isNull);
    EXPECT_TRUE(outputs[1].text == user);
    EXPECT_FALSE(outputs[2].isNull) << "an empty element is an empty string, not NULL";
    EXPECT_TRUE(outputs[2].text.empty());
}

TEST(SoapEnvelope, ReaderSkipsUnexpectedElementsAttributesAndHeaders)
{
    std::vector<CSoapValue> outputs(3);
    XString error;
    const std::string body =
        "<soap:Envelope xmlns:soap=\"http://schemas.xmlsoap.org/soap/envelope/\" "
        "xmlns:xsi=\"http://www.w3.org/2001/XMLSchema-instance\" extra=\"1\">"
        "<soap:Header><Session xmlns=\"urn:x\"><sxSessionId>wrong</sxSessionId></Session></soap:Header>"
        "<soap:Body><LoginUserResponse xmlns=\"http://example/ws/\" note=\"n\">"
        "<Unknown>skip <b>me</b></Unknown>"
        "<LoginUserResult xsi:type=\"xsd:boolean\"> 1 </LoginUserResult>"
        "<sxSessionId lang=\"en\">abc<i>nested</i>def</sxSessionId>"
        "<sxMsg xsi:nil=\"true\"/>"
        "</LoginUserResponse><Trailing/></soap:Body></soap:Envelope>";
    ASSERT_TRUE(CSoapEnvelope::ReadResponse(Login(), body, outputs, error)) << error.GetBuffer();
    EXPECT_TRUE(outputs[0].boolean);
    EXPECT_EQ("abcdef", Str(outputs[1].ToAnsi()));
    EXPECT_TRUE(outputs[2].isNull);

    // Outputs that do not appear keep their initial values.
    std::vector<CSoapValue> sparse = {CSoapValue::Boolean(false), CSoapValue::Null(), CSoapValue::Text(u"init")};
    ASSERT_TRUE(CSoapEnvelope::ReadResponse(
        Login(), Response("<LoginUserResponse xmlns=\"http://example/ws/\"><sxSessionId>s</sxSessionId></LoginUserResponse>"),
        sparse, error));
    EXPECT_FALSE(sparse[0].boolean);
    EXPECT_EQ("s", Str(sparse[1].ToAnsi()));
    EXPECT_TRUE(sparse[2].text == u"init");
}

TEST(SoapEnvelope, WrongDocumentsFailWithOutputsUntouched)
{
    const std::string bad[] = {
        "",
        "not xml",
        "<soap:Envelope xmlns:soap=\"http://schemas.xmlsoap.org/soap/envelope/\"><soap:Body>",
        "<Envelope><Body><LoginUserResponse xmlns=\"http://example/ws/\"/></Body></Envelope>",
        Response("<LoginUserResponse xmlns=\"http://other/ws/\"><LoginUserResult>true</LoginUserResult></LoginUserResponse>"),
        Response("<AddScoreResponse xmlns=\"http://example/ws/\"/>"),
        Response("<LoginUserResponse xmlns=\"http://example/ws/\"><LoginUserResult>yes</LoginUserResult></LoginUserResponse>"),
        Response(""),
        "<soap:Envelope xmlns:soap=\"http://schemas.xmlsoap.org/soap/envelope/\"/>",
    };
    for (const std::string& body : bad)
    {
        std::vector<CSoapValue> outputs = {CSoapValue::Boolean(false), CSoapValue::Text(u"before"), CSoapValue::Null()};
        XString error;
        EXPECT_FALSE(CSoapEnvelope::ReadResponse(Login(), body, outputs, error)) << body;
        EXPECT_TRUE(outputs[1].text == u"before") << body;
        EXPECT_TRUE(outputs[2].isNull) << body;
        EXPECT_NE(0u, error.GetLength()) << body;
    }
}

TEST(SoapEnvelope, FaultIsReadWithItsCodeStringAndDetail)
{
    CSoapFault fault;
    XString error;
    ASSERT_TRUE(CSoapEnvelope::ReadFault(Response("<soap:Fault><faultcode>soap:Client</faultcode>"
                                                  "<faultstring>Bad &amp; worse</faultstring>"
                                                  "<detail><why xmlns=\"urn:x\">session <b>expired</b></why></detail>"
                                                  "</soap:Fault>"),
                                         fault, error))
        << error.GetBuffer();
    EXPECT_EQ("soap:Client", Str(fault.code));
    EXPECT_EQ("Bad & worse", Str(fault.string));
    EXPECT_EQ("session expired", Str(fault.detail));

    CSoapFault kept;
    kept.string = "kept";
    EXPECT_FALSE(CSoapEnvelope::ReadFault(Response("<LoginUserResponse/>"), kept, error));
    EXPECT_FALSE(CSoapEnvelope::ReadFault("<html>Internal error</html>", kept, error));
    EXPECT_EQ("kept", Str(kept.string));
}

TEST(SoapEnvelope, HostileBodiesFailCleanlyAndQuickly)
{
    const std::string bomb = "<?xml version=\"1.0\"?><!DOCTYPE lolz [<!ENTITY lol \"lol\">"
                             "<!ENTITY lol1 \"&lol;&lol;&lol;&lol;&lol;&lol;&lol;&lol;&lol;&lol;\">"
                             "<!ENTITY lol2 \"&lol1;&lol1;&lol1;&lol1;&lol1;&lol1;&lol1;&lol1;&lol1;&lol1;\">"
                             "<!ENTITY lol3 \"&lol2;&lol2;&lol2;&lol2;&lol2;&lol2;&lol2;&lol2;&lol2;&lol2;\">"
                             "<!ENTITY lol4 \"&lol3;&lol3;&lol3;&lol3;&lol3;&lol3;&lol3;&lol3;&lol3;&lol3;\">]>" +
                             Response("<LoginUserResponse xmlns=\"http://example/ws/\"><sxMsg>&lol4;</sxMsg>"
                                      "</LoginUserResponse>");
    const std::string external = "<?xml version=\"1.0\"?><!DOCTYPE e [<!ENTITY x SYSTEM \"file:///etc/passwd\">]>" +
                                 Response("<LoginUserResponse xmlns=\"http://example/ws/\"><sxMsg>&x;</sxMsg>"
                                          "</LoginUserResponse>");
    std::string deep;
    for (int i = 0; i < 100000; ++i)
        deep += "<a>";
    deep = Response("<LoginUserResponse xmlns=\"http://example/ws/\"><sxMsg>" + deep + "</sxMsg></LoginUserResponse>");
    const std::string undefined = Response("<LoginUserResponse xmlns=\"http://example/ws/\"><sxMsg>&nope;</sxMsg>"
                                           "</LoginUserResponse>");

    for (const std::string* body : {&bomb, &external, static_cast<const std::string*>(&deep), &undefined})
    {
        std::vector<CSoapValue> outputs(3);
        XString error;
        const auto start = std::chrono::steady_clock::now();
        EXPECT_FALSE(CSoapEnvelope::ReadResponse(Login(), *body, outputs, error));
        EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(1));
        EXPECT_TRUE(outputs[2].isNull);
        CSoapFault fault;
        EXPECT_FALSE(CSoapEnvelope::ReadFault(*body, fault, error));
    }
}

} // namespace
