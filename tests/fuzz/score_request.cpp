// The score server's handling of a SOAP request body: the envelope reader, then the login or the
// score posting against a store in memory with one signed-up player, then the response writer,
// whose reply the game's reader must take. An sxOnlineSessionId of "@session" stands for that
// player's live session, so that postings get past the session check.
#include "online/CLoginInfo.h"
#include "online/CScorePoster.h"
#include "online/CServiceConfig.h"
#include "online/CSoapEnvelope.h"
#include "server/CScoreService.h"
#include "server/CSqliteScoreStore.h"
#include "server/SoapMessage.h"
#include "tests/fuzz/FuzzSupport.h"

#include <memory>

using namespace plk::server;

namespace
{

struct Server
{
    std::unique_ptr<CSqliteScoreStore> store;
    std::unique_ptr<CScoreService> service;
    std::string session;

    Server()
    {
        std::string error;
        store = CSqliteScoreStore::Open(fuzz::ScratchFolder() + "scores.sqlite", error);
        fuzz::Check(store != nullptr, "no score store", error);
        service = std::make_unique<CScoreService>(*store, std::vector<std::string>{"StdLevel", "Crystal"},
                                                  [] { return std::int64_t{1700000000}; });
        service->SignUp("player", "secret1");
        session = service->Login("player", "secret1").sessionId;
    }
};

std::string TextOf(const CSoapCall& call, const char* name)
{
    const std::string* text = call.Text(name);
    return text ? *text : std::string();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static Server server;
    CSoapCall call;
    std::string error;
    if (!ReadSoapCall(std::string_view(reinterpret_cast<const char*>(data), size), call, error))
    {
        fuzz::Check(!error.empty(), "a refused request without a reason");
        return 0;
    }
    static const CServiceConfig config;
    std::vector<CSoapOutput> outputs;
    CSoapOperation operation;
    if (call.operation == "LoginUser")
    {
        const CAnswer answer = server.service->Login(TextOf(call, "sxUserName"), TextOf(call, "sxPassword"));
        const bool accepted = answer.outcome == EOutcome::kAccepted;
        outputs = {CSoapOutput::Boolean("LoginUserResult", accepted),
                   accepted ? CSoapOutput::Text("sxSessionId", answer.sessionId) : CSoapOutput::Null("sxSessionId"),
                   CSoapOutput::Text("sxMsg", answer.message)};
        operation = CLoginInfo::LoginOperation(config);
    }
    else if (call.operation == "AddScore")
    {
        std::string online = TextOf(call, "sxOnlineSessionId");
        if (online == "@session")
            online = server.session;
        const CScoreRequest request{TextOf(call, "sxUserName"), TextOf(call, "sxSignatureKey"), online,
                                    TextOf(call, "sxGameSessionId"), TextOf(call, "sxData")};
        const CAnswer answer = server.service->AddScore(request);
        outputs = {CSoapOutput::Boolean("AddScoreResult", answer.outcome == EOutcome::kAccepted),
                   CSoapOutput::Text("sxServerMsg", answer.serverMsg), CSoapOutput::Text("sxMsg", answer.message)};
        operation = CScorePoster::AddScoreOperation(config);
    }
    else
    {
        return 0;
    }
    // The game matches the reply by local name and reads it in the request's namespace.
    operation.ns = call.ns.c_str();
    const std::string reply = WriteSoapResponse(call, outputs);
    std::vector<CSoapValue> values(operation.outputs.size());
    XString readError;
    fuzz::Check(CSoapEnvelope::ReadResponse(operation, reply, values, readError), "the game cannot read the reply",
                reply + "\n" + readError.GetBuffer());
    return 0;
}
