// One SOAP call: writes the envelope, posts it, and reads the response or the fault.
#pragma once

#include "online/CHttpClient.h"
#include "online/CSoapEnvelope.h"

#include <vector>

class CSoapClient
{
public:
    // Call results, also kept as the client's error state.
    static constexpr int kSuccess = 0;
    static constexpr int kGenerateError = 3;   // the request could not be written
    static constexpr int kConnectError = 4;    // lookup, connect, send or receive failed, or an unexpected failure status
    static constexpr int kServerError = 6;     // a success status other than 200 and 202
    static constexpr int kSoapFault = 7;       // status 500 with a fault, see GetFault()
    static constexpr int kParseFaultError = 8; // status 500 whose body is no fault
    static constexpr int kReadError = 9;       // status 200 whose body is no response of the operation

    explicit CSoapClient(const XString& endpoint);

    // The HTTP settings of the call (time-outs, body limit, give-up flag); the method, content
    // type, headers and body are set by Call.
    CHttpRequest& Settings() { return m_request; }

    // Posts the operation with these inputs. On kSuccess outputs holds the response's values
    // (resized to the operation's outputs first, with their initial values, when it had another
    // size); status 202 succeeds with outputs unchanged. On failure outputs is untouched.
    int Call(const CSoapOperation& operation, const std::vector<CSoapValue>& inputs,
             std::vector<CSoapValue>& outputs);

    int GetClientError() const { return m_iClientError; }
    const CSoapFault& GetFault() const { return m_fault; }
    int GetStatus() const { return m_iStatus; }
    // "" after success, else what failed, for the log.
    const char* GetErrorMsg() const { return m_strErrorMsg.GetBuffer(); }

private:
    int Fail(int code, const XString& why);

    XString m_strEndpoint;
    CHttpRequest m_request;
    int m_iClientError = kSuccess;
    int m_iStatus = 0;
    CSoapFault m_fault;
    XString m_strErrorMsg;
};
