// The login call.
#include "online/CLoginInfo.h"

#include "online/CSoapClient.h"

const char* const CLoginInfo::kSourceProgram = "Plinkett3";

CLoginInfo::CLoginInfo(const CServiceConfig& service) : m_service(service)
{
}

CSoapOperation CLoginInfo::LoginOperation(const CServiceConfig& service)
{
    CSoapOperation operation;
    operation.name = "LoginUser";
    operation.ns = service.LoginNamespace();
    operation.inputs = {{"sxUserName", ESoapType::kString},
                        {"sxPassword", ESoapType::kString},
                        {"sxSourceProgram", ESoapType::kString}};
    operation.outputs = {{"LoginUserResult", ESoapType::kBoolean},
                         {"sxSessionId", ESoapType::kString},
                         {"sxMsg", ESoapType::kString}};
    return operation;
}

bool CLoginInfo::Login(const XString& userName, const XString& password, bool uploadScores)
{
    m_strUserName = userName;
    m_strPassword = password;
    m_bUploadScores = uploadScores;
    m_strCallError = "";

    CSoapClient client(m_service.LoginEndpoint());
    client.Settings().connectTimeoutMs = m_service.timeoutMs;
    client.Settings().ioTimeoutMs = m_service.timeoutMs;
    std::vector<CSoapValue> outputs(3);
    const int result = client.Call(LoginOperation(m_service),
                                   {CSoapValue::Text(userName), CSoapValue::Text(password),
                                    CSoapValue::Text(XString(kSourceProgram))},
                                   outputs);
    if (result != CSoapClient::kSuccess)
    {
        m_strCallError = client.GetErrorMsg();
        return false;
    }
    m_strLoginTicket = outputs[1].ToAnsi();
    return outputs[0].boolean;
}
