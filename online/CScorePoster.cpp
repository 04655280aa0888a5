// The score-posting workers and the pieces of the message they send.
#include "online/CScorePoster.h"

#include "foundation/XException.h"
#include "foundation/XTextCipher.h"
#include "online/CSoapClient.h"

#include <new>
#include <system_error>

namespace
{

// How often Shutdown looks whether the workers have ended.
const auto kShutdownPoll = std::chrono::milliseconds(2);

// Marks the job done however the worker ends.
class DoneMark
{
public:
    explicit DoneMark(std::atomic<bool>& done) : m_done(done) {}
    ~DoneMark() { m_done.store(true, std::memory_order_release); }
    DoneMark(const DoneMark&) = delete;
    DoneMark& operator=(const DoneMark&) = delete;

private:
    std::atomic<bool>& m_done;
};

} // namespace

bool CScoreJob::TakeServerMessage(XString& message, std::chrono::steady_clock::time_point& arrived)
{
    if (!m_bHasResult.load(std::memory_order_acquire) || m_bTaken.exchange(true, std::memory_order_acq_rel))
        return false;
    message = m_strServerMsg;
    arrived = m_arrived;
    return true;
}

CScorePoster::CScorePoster(const CServiceConfig& service) : m_service(service)
{
}

CScorePoster::~CScorePoster()
{
    Shutdown(kShutdownMs);
}

bool CScorePoster::SeriesName(const XString& levelFileName, XString& series)
{
    const int digit = levelFileName.FindOneOf("0123456789");
    if (digit < 0)
        return false;
    series.SetData(levelFileName.GetBuffer(), digit);
    return true;
}

XString CScorePoster::DataText(const CScoreEntry& entry)
{
    XString text(entry.userName);
    text += '\n';
    text += entry.signatureKey;
    text += '\n';
    text += entry.loginTicket;
    text += '\n';
    text += entry.gameSession;
    text += '\n';
    text += entry.curLevel;
    text += '\n';
    text += entry.total;
    text += '\n';
    text += entry.difficulty;
    return text;
}

XString CScorePoster::KeyText(const XString& loginTicket, const XString& userName, const XString& series)
{
    XString key(loginTicket);
    key += userName;
    key += series;
    key.MakeLower();
    return key;
}

bool CScorePoster::BuildData(const CScoreEntry& entry, XString& sxData, XString& error)
{
    XString series;
    if (!SeriesName(entry.levelFileName, series))
    {
        error = "Error: in CScorePoster::BuildData, the level file name \"";
        error += entry.levelFileName;
        error += "\" has no digit, so it belongs to no series.";
        return false;
    }
    XString text = DataText(entry);
    const XString key = KeyText(entry.loginTicket, entry.userName, series);
    XTextCipher cipher;
    if (!cipher.Encrypt(text, key.GetBuffer()))
    {
        error = "Error: in CScorePoster::BuildData, the data could not be enciphered. Msg=";
        error += cipher.GetErrorMsg();
        return false;
    }
    text.EncodeBase64();
    sxData = text;
    return true;
}

CSoapOperation CScorePoster::AddScoreOperation(const CServiceConfig& service)
{
    CSoapOperation operation;
    operation.name = "AddScore";
    operation.ns = service.ScoreNamespace();
    operation.inputs = {{"sxUserName", ESoapType::kString},
                        {"sxSignatureKey", ESoapType::kString},
                        {"sxOnlineSessionId", ESoapType::kString},
                        {"sxGameSessionId", ESoapType::kString},
                        {"sxData", ESoapType::kString}};
    operation.outputs = {{"AddScoreResult", ESoapType::kBoolean},
                         {"sxServerMsg", ESoapType::kString},
                         {"sxMsg", ESoapType::kString}};
    return operation;
}

void CScorePoster::Run(CServiceConfig service, CScoreEntry entry, std::shared_ptr<CScoreJob> job)
{
    // The copies above are all this thread reads from now on.
    job->m_bInputsCopied.store(true, std::memory_order_release);
    DoneMark done(job->m_bDone);
    try
    {
        XString data, error;
        if (!BuildData(entry, data, error))
            return;
        CSoapClient client(service.ScoreEndpoint());
        client.Settings().connectTimeoutMs = service.timeoutMs;
        client.Settings().ioTimeoutMs = service.timeoutMs;
        client.Settings().giveUp = &job->m_bGiveUp;
        std::vector<CSoapValue> outputs(3);
        const int result = client.Call(AddScoreOperation(service),
                                       {CSoapValue::Text(entry.userName), CSoapValue::Text(entry.signatureKey),
                                        CSoapValue::Text(entry.loginTicket), CSoapValue::Text(entry.gameSession),
                                        CSoapValue::Text(data)},
                                       outputs);
        if (result != CSoapClient::kSuccess || job->m_bGiveUp.load(std::memory_order_acquire))
            return;
        job->m_strServerMsg = outputs[1].ToAnsi();
        job->m_arrived = std::chrono::steady_clock::now();
        job->m_bHasResult.store(true, std::memory_order_release);
    }
    catch (const XException&)
    {
        // Out of memory: the posting is dropped like any other failure.
    }
    catch (const std::bad_alloc&)
    {
    }
}

void CScorePoster::ReapFinished()
{
    for (auto it = m_workers.begin(); it != m_workers.end();)
    {
        if (it->job->IsDone())
        {
            it->thread.join();
            it = m_workers.erase(it);
        }
        else
        {
            ++it;
        }
    }
}

std::shared_ptr<CScoreJob> CScorePoster::Post(const CScoreEntry& entry)
{
    if (m_bStopped)
        return nullptr;
    ReapFinished();
    try
    {
        auto job = std::make_shared<CScoreJob>();
        m_workers.reserve(m_workers.size() + 1);
        m_workers.push_back(Worker{std::thread(Run, m_service, entry, job), job});
        return job;
    }
    catch (const std::system_error&)
    {
        return nullptr;
    }
    catch (const std::bad_alloc&)
    {
        return nullptr;
    }
}

void CScorePoster::Shutdown(unsigned timeoutMs)
{
    m_bStopped = true;
    for (Worker& worker : m_workers)
        worker.job->GiveUp();
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    for (;;)
    {
        ReapFinished();
        if (m_workers.empty() || std::chrono::steady_clock::now() >= deadline)
            break;
        std::this_thread::sleep_for(kShutdownPoll);
    }
    for (Worker& worker : m_workers)
        worker.thread.detach();
    m_workers.clear();
}
