// The run's score postings and the hand-over of the server's answers to the status display.
#include "screens/CScoreUploads.h"

#include "game/CGameLevel.h"

#include <memory>
#include <thread>
#include <vector>

namespace
{

struct State
{
    CServiceConfig service;
    CScoreLogin login;
    std::unique_ptr<CScorePoster> poster;
    std::vector<std::shared_ptr<CScoreJob>> jobs;
    bool stopped = false;
};

State& Uploads()
{
    static State state;
    return state;
}

} // namespace

void CScoreUploads::Configure(const CServiceConfig& service)
{
    State& state = Uploads();
    state.poster.reset();
    state.service = service;
    state.stopped = false;
}

void CScoreUploads::SetLogin(const CScoreLogin& login)
{
    Uploads().login = login;
}

const CScoreLogin& CScoreUploads::GetLogin()
{
    return Uploads().login;
}

bool CScoreUploads::Post(CGameLevel& level, const CScoreLogin& login)
{
    State& state = Uploads();
    if (state.stopped)
        return false;
    if (!state.poster)
        state.poster = std::make_unique<CScorePoster>(state.service);
    CScoreEntry entry;
    entry.userName = login.userName;
    entry.loginTicket = login.ticket;
    entry.signatureKey = level.GetSignatureKey();
    entry.gameSession = level.GetGameSession();
    entry.levelFileName = level.GetLevelFileName();
    entry.curLevel = level.GetCurLevel();
    entry.total = level.GameTotal(true);
    entry.difficulty = level.GetDifficulty();
    std::shared_ptr<CScoreJob> job = state.poster->Post(entry);
    if (!job)
        return false;
    state.jobs.push_back(job);
    for (unsigned i = 0; i < kWaitPolls && !job->InputsCopied(); ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(kWaitPollMs));
    return true;
}

void CScoreUploads::Deliver(CGameLevel& level)
{
    std::vector<std::shared_ptr<CScoreJob>>& jobs = Uploads().jobs;
    for (auto it = jobs.begin(); it != jobs.end();)
    {
        // Done is read first: a worker publishes its result before it ends.
        const bool done = (*it)->IsDone();
        XString message;
        std::chrono::steady_clock::time_point arrived;
        if ((*it)->TakeServerMessage(message, arrived) &&
            std::chrono::steady_clock::now() - arrived < std::chrono::milliseconds(CGameLevel::kStatusMessageMs))
            level.SetStatusMessage(message);
        it = done ? jobs.erase(it) : it + 1;
    }
}

void CScoreUploads::Shutdown()
{
    State& state = Uploads();
    state.stopped = true;
    if (state.poster)
        state.poster->Shutdown(CScorePoster::kShutdownMs);
    state.poster.reset();
    state.jobs.clear();
}
