// One SOAP call over the HTTP client, with the envelope's error states.
#include "online/CSoapClient.h"

namespace
{

const int kStatusOk = 200;
const int kStatusAccepted = 202;
const int kStatusServerError = 500;

std::string_view View(const XString& text)
{
    return std::string_view(text.GetBuffer(), text.GetLength());
}

} // namespace

CSoapClient::CSoapClient(const XString& endpoint) : m_strEndpoint(endpoint)
{
}

int CSoapClient::Fail(int code, const XString& why)
{
    m_iClientError = code;
    m_strErrorMsg = why;
    return code;
}

int CSoapClient::Call(const CSoapOperation& operation, const std::vector<CSoapValue>& inputs,
                      std::vector<CSoapValue>& outputs)
{
    m_iClientError = kSuccess;
    m_iStatus = 0;
    m_fault = CSoapFault();
    m_strErrorMsg = "";

    XString error;
    CHttpRequest request = m_request;
    request.method = "POST";
    request.contentType = "text/xml; charset=utf-8";
    request.extraHeaders = operation.SoapActionLine();
    request.extraHeaders += "Accept: text/xml\r\n";
    if (!CSoapEnvelope::WriteRequest(operation, inputs, request.body, error))
        return Fail(kGenerateError, error);

    CHttpClient http;
    const bool navigated = http.Navigate(m_strEndpoint, request);
    m_iStatus = http.GetStatus();
    if (navigated)
    {
        if (m_iStatus == kStatusAccepted)
            return kSuccess;
        if (m_iStatus != kStatusOk)
        {
            error.Format("Error: in CSoapClient::Call, %s answered with status %d.", operation.name.GetBuffer(), m_iStatus);
            return Fail(kServerError, error);
        }
        if (!CSoapEnvelope::ReadResponse(operation, View(http.GetResponse()), outputs, error))
            return Fail(kReadError, error);
        return kSuccess;
    }
    if (m_iStatus == kStatusServerError)
    {
        if (!CSoapEnvelope::ReadFault(View(http.GetResponse()), m_fault, error))
            return Fail(kParseFaultError, error);
        error = "Error: in CSoapClient::Call, ";
        error += operation.name;
        error += " failed with a SOAP fault. Msg=";
        error += m_fault.string;
        return Fail(kSoapFault, error);
    }
    error = "Error: in CSoapClient::Call, ";
    error += operation.name;
    error += " could not reach the service. Msg=";
    error += http.GetErrorMsg();
    return Fail(kConnectError, error);
}
