// Routes, SOAP endpoints, pages and the request log of the score server.
#include "server/CScoreServer.h"

#include "server/SoapMessage.h"
#include "server/TextCodec.h"
#include "server/WebPages.h"

#include <httplib.h>

#include <chrono>
#include <cstdio>
#include <ctime>
#include <mutex>

namespace plk::server
{

const char* const CScoreServer::kLoginPath = "/ws/login/login.asmx";
const char* const CScoreServer::kGameScorePath = "/ws/gamescore/gamescore.asmx";

namespace
{

const char kHtml[] = "text/html; charset=utf-8";
const char kXml[] = "text/xml; charset=utf-8";
// Idle keep-alive connections hold up a stop for at most this long.
const time_t kKeepAliveSeconds = 2;

// What the handler of the request on this thread wants in its log line; the logger runs on the
// same thread right after the response is written.
struct RequestNote
{
    bool timed = false;
    std::chrono::steady_clock::time_point start;
    std::string text;
};
thread_local RequestNote t_note;

void Note(std::string text)
{
    t_note.text = std::move(text);
}

enum class EEndpoint
{
    kLogin,
    kGameScore
};

bool EndsWith(const std::string& text, const char* end)
{
    const std::string_view tail(end);
    return text.size() >= tail.size() && text.compare(text.size() - tail.size(), tail.size(), tail) == 0;
}

void SendHtml(httplib::Response& res, int status, const std::string& html)
{
    res.status = status;
    // The pages need neither scripts nor anything from elsewhere; say so to the browser.
    res.set_header("Content-Security-Policy", "default-src 'none'; style-src 'self'; form-action 'self'");
    res.set_header("X-Content-Type-Options", "nosniff");
    res.set_content(html, kHtml);
}

void SendFault(httplib::Response& res, const std::string& code, const std::string& text)
{
    res.status = 500;
    res.set_content(WriteSoapFault(code, text), kXml);
}

// The SOAPAction header names namespace + operation, in double quotes.
bool ActionMatches(const httplib::Request& req, const CSoapCall& call)
{
    if (!req.has_header("SOAPAction"))
        return false;
    std::string action = req.get_header_value("SOAPAction");
    if (action.size() >= 2 && action.front() == '"' && action.back() == '"')
        action = action.substr(1, action.size() - 2);
    return action == call.ns + call.operation;
}

std::string UtcStamp()
{
    const std::time_t now = std::time(nullptr);
    std::tm parts{};
    gmtime_r(&now, &parts);
    char text[32];
    std::strftime(text, sizeof text, "%Y-%m-%dT%H:%M:%SZ", &parts);
    return text;
}

} // namespace

struct CScoreServer::Http
{
    httplib::Server server;
    std::mutex logMutex;
};

CScoreServer::CScoreServer(CScoreService& service) : m_service(service), m_http(std::make_unique<Http>())
{
    httplib::Server& http = m_http->server;
    http.set_payload_max_length(kMaxBodyBytes);
    http.set_keep_alive_timeout(kKeepAliveSeconds);

    http.set_pre_routing_handler([](const httplib::Request&, httplib::Response&) {
        t_note.timed = true;
        t_note.start = std::chrono::steady_clock::now();
        return httplib::Server::HandlerResponse::Unhandled;
    });

    http.set_logger([this](const httplib::Request& req, const httplib::Response& res) {
        std::string line = UtcStamp() + " " + req.remote_addr + " \"" + Printable(req.method, 16) + " " +
                           Printable(req.path, 200) + "\" " + std::to_string(res.status) + " " +
                           std::to_string(res.body.size()) + "B ";
        if (t_note.timed)
        {
            const auto elapsed = std::chrono::steady_clock::now() - t_note.start;
            char ms[32];
            std::snprintf(ms, sizeof ms, "%.1fms",
                          std::chrono::duration<double, std::milli>(elapsed).count());
            line += ms;
        }
        else
        {
            line += "-";
        }
        if (!t_note.text.empty())
            line += " " + Printable(t_note.text, 300);
        t_note = RequestNote();
        Log(line);
    });

    // Called for every status from 400 on; a response that already has its body keeps it.
    http.set_error_handler(httplib::Server::HandlerWithResponse([](const httplib::Request&, httplib::Response& res) {
        if (!res.body.empty())
            return httplib::Server::HandlerResponse::Unhandled;
        if (res.status == 404)
            SendHtml(res, 404, NotFoundPage());
        else if (res.status == 413)
            SendHtml(res, 413, ErrorPage(413, "The request is larger than this server takes (64 KiB)."));
        else
            SendHtml(res, res.status, ErrorPage(res.status, "The request could not be served."));
        return httplib::Server::HandlerResponse::Handled;
    }));

    http.set_exception_handler([](const httplib::Request& req, httplib::Response& res, std::exception_ptr ep) {
        std::string what = "unknown exception";
        try
        {
            std::rethrow_exception(ep);
        }
        catch (const std::exception& e)
        {
            what = e.what();
        }
        catch (...)
        {
        }
        Note("failed: " + what);
        if (req.path == kLoginPath || req.path == kGameScorePath)
            SendFault(res, "soap:Server", "The score server could not complete the request.");
        else
            SendHtml(res, 500, ErrorPage(500, "The server could not complete the request."));
    });

    auto soap = [this](EEndpoint endpoint) {
        return [this, endpoint](const httplib::Request& req, httplib::Response& res) {
            CSoapCall call;
            std::string error;
            if (!ReadSoapCall(req.body, call, error))
            {
                Note("malformed envelope: " + error);
                SendFault(res, "soap:Client", "The request is no well-formed SOAP envelope: " + error);
                return;
            }
            const bool login = endpoint == EEndpoint::kLogin;
            const char* const operation = login ? "LoginUser" : "AddScore";
            if (call.operation != operation || !EndsWith(call.ns, login ? "/ws/" : "/ws/gamescore/"))
            {
                Note("unknown operation " + call.operation);
                SendFault(res, "soap:Client", "This endpoint serves only " + std::string(operation) + ".");
                return;
            }
            if (!ActionMatches(req, call))
            {
                Note("SOAPAction does not match " + call.operation);
                SendFault(res, "soap:Client", "The SOAPAction header does not name the operation in the body.");
                return;
            }
            const char* const* names;
            static const char* const kLoginInputs[] = {"sxUserName", "sxPassword", nullptr};
            static const char* const kScoreInputs[] = {"sxUserName", "sxSignatureKey", "sxOnlineSessionId",
                                                       "sxGameSessionId", "sxData", nullptr};
            names = login ? kLoginInputs : kScoreInputs;
            for (const char* const* name = names; *name; ++name)
            {
                if (!call.Text(*name))
                {
                    Note(call.operation + " without " + *name);
                    SendFault(res, "soap:Client", std::string("The request lacks ") + *name + ".");
                    return;
                }
            }

            CAnswer answer;
            std::vector<CSoapOutput> outputs;
            const std::string& user = *call.Text("sxUserName");
            if (login)
            {
                answer = m_service.Login(user, *call.Text("sxPassword"));
                const bool accepted = answer.outcome == EOutcome::kAccepted;
                outputs.push_back(CSoapOutput::Boolean("LoginUserResult", accepted));
                outputs.push_back(accepted ? CSoapOutput::Text("sxSessionId", answer.sessionId)
                                           : CSoapOutput::Null("sxSessionId"));
                outputs.push_back(CSoapOutput::Text("sxMsg", answer.message));
            }
            else
            {
                CScoreRequest request{user, *call.Text("sxSignatureKey"), *call.Text("sxOnlineSessionId"),
                                      *call.Text("sxGameSessionId"), *call.Text("sxData")};
                answer = m_service.AddScore(request);
                outputs.push_back(CSoapOutput::Boolean("AddScoreResult", answer.outcome == EOutcome::kAccepted));
                outputs.push_back(CSoapOutput::Text("sxServerMsg", answer.serverMsg));
                outputs.push_back(CSoapOutput::Text("sxMsg", answer.message));
            }
            switch (answer.outcome)
            {
            case EOutcome::kAccepted:
                Note(call.operation + " accepted: " + (login ? user : answer.message + " -> " + answer.serverMsg));
                break;
            case EOutcome::kRefused:
                Note(call.operation + " refused: " + user + ": " + answer.message);
                break;
            case EOutcome::kFailed:
                Note(call.operation + " failed: " + answer.message);
                SendFault(res, "soap:Server", "The score server could not complete the request.");
                return;
            }
            res.status = 200;
            res.set_content(WriteSoapResponse(call, outputs), kXml);
        };
    };
    http.Post(kLoginPath, soap(EEndpoint::kLogin));
    http.Post(kGameScorePath, soap(EEndpoint::kGameScore));

    http.Get("/", [](const httplib::Request&, httplib::Response& res) { SendHtml(res, 200, HomePage()); });
    http.Get("/support", [](const httplib::Request&, httplib::Response& res) { SendHtml(res, 200, SupportPage()); });
    http.Get("/style.css", [](const httplib::Request&, httplib::Response& res) {
        res.set_content(Stylesheet(), "text/css; charset=utf-8");
    });
    http.Get("/signup", [](const httplib::Request&, httplib::Response& res) {
        SendHtml(res, 200, SignUpPage("", false, ""));
    });
    http.Post("/signup", [this](const httplib::Request& req, httplib::Response& res) {
        const std::string name = req.get_param_value("name");
        const std::string password = req.get_param_value("password");
        if (password != req.get_param_value("password2"))
        {
            Note("sign-up refused: " + name + ": passwords differ");
            SendHtml(res, 400, SignUpPage("The two passwords differ.", false, name));
            return;
        }
        const CAnswer answer = m_service.SignUp(name, password);
        switch (answer.outcome)
        {
        case EOutcome::kAccepted:
            Note("sign-up accepted: " + name);
            SendHtml(res, 200, SignUpPage(answer.message, true, name));
            break;
        case EOutcome::kRefused:
            Note("sign-up refused: " + name + ": " + answer.message);
            SendHtml(res, 400, SignUpPage(answer.message, false, name));
            break;
        case EOutcome::kFailed:
            Note("sign-up failed: " + answer.message);
            SendHtml(res, 500, ErrorPage(500, "The server could not store the new player; please try later."));
            break;
        }
    });
    http.Get("/scores", [this](const httplib::Request&, httplib::Response& res) {
        CScoreStore& store = m_service.GetStore();
        std::vector<CScoreGroup> groups;
        std::vector<CScoreTable> tables;
        std::string error;
        bool read = store.ScoreGroups(groups, error);
        for (std::size_t i = 0; read && i < groups.size(); ++i)
        {
            CScoreTable table{groups[i], {}};
            read = store.TopScores(groups[i], kTopScoreRows, table.rows, error);
            tables.push_back(std::move(table));
        }
        if (!read)
        {
            Note("scores failed: " + error);
            SendHtml(res, 500, ErrorPage(500, "The scores cannot be read just now; please try later."));
            return;
        }
        SendHtml(res, 200, ScoresPage(tables));
    });
}

CScoreServer::~CScoreServer()
{
    Stop();
}

void CScoreServer::SetLogSink(std::function<void(const std::string&)> sink)
{
    m_sink = std::move(sink);
}

void CScoreServer::Log(const std::string& line) const
{
    std::lock_guard<std::mutex> lock(m_http->logMutex);
    if (m_sink)
    {
        m_sink(line);
        return;
    }
    std::fprintf(stderr, "%s\n", line.c_str());
    std::fflush(stderr);
}

bool CScoreServer::Start(const std::string& address, int port, std::string& error)
{
    httplib::Server& http = m_http->server;
    m_port = port == 0 ? http.bind_to_any_port(address) : (http.bind_to_port(address, port) ? port : 0);
    if (m_port <= 0)
    {
        m_port = 0;
        error = "cannot listen on " + address + " port " + std::to_string(port) +
                " (a bad address, a port in use or one that needs more rights)";
        return false;
    }
    m_bServing = true;
    m_thread = std::thread([this] {
        m_http->server.listen_after_bind();
        m_bServing = false;
    });
    // A stop is only honoured once the loop runs, so Start waits for it.
    while (m_bServing && !http.is_running())
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    return true;
}

void CScoreServer::Stop()
{
    m_http->server.stop();
    if (m_thread.joinable())
        m_thread.join();
}

} // namespace plk::server
