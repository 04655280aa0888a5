// The player's online login: the credentials, the upload choice and the ticket the login service
// hands out, which the score postings send as their online session id.
#pragma once

#include "foundation/XString.h"
#include "online/CServiceConfig.h"
#include "online/CSoapEnvelope.h"

class CLoginInfo
{
public:
    static const char* const kSourceProgram; // "Plinkett3"

    explicit CLoginInfo(const CServiceConfig& service = CServiceConfig());

    // Stores the three arguments, then calls "LoginUser" (sxUserName, sxPassword,
    // sxSourceProgram -> LoginUserResult, sxSessionId, sxMsg). When the call succeeds the session
    // id becomes the ticket, even an empty one. True only when the call succeeded and the service
    // said true; a refused login and every failure of the network, the server or the reply alike
    // are false, and a failed call leaves the ticket as it was. Blocks for at most the service's
    // time-out per network step.
    bool Login(const XString& userName, const XString& password, bool uploadScores);

    // The operation description, shared with the reference server's tests.
    static CSoapOperation LoginOperation(const CServiceConfig& service);

    const CServiceConfig& GetService() const { return m_service; }
    // Why the last Login call failed at the network, server or reply ("" after a completed call,
    // whatever the service answered), for the log; the player is shown the caller's own message.
    const XString& GetCallError() const { return m_strCallError; }

    XString m_strUserName;
    XString m_strPassword;
    bool m_bUploadScores = false;
    XString m_strLoginTicket;

private:
    CServiceConfig m_service;
    XString m_strCallError;
};
