// Posting a finished level's running score to the score service on worker threads that own
// everything they touch: the caller copies the values in, and the result comes back through a
// shared slot that outlives both sides.
#pragma once

#include "foundation/XString.h"
#include "online/CServiceConfig.h"
#include "online/CSoapEnvelope.h"

#include <atomic>
#include <chrono>
#include <memory>
#include <thread>
#include <vector>

// What one posting sends, copied from the level and the login before the worker starts.
struct CScoreEntry
{
    XString userName;
    XString loginTicket;
    XString signatureKey;
    XString gameSession;
    XString levelFileName; // the series name is the part before its first digit
    unsigned curLevel = 0;
    int total = 0;          // the running total with the time bonus, as the level-complete card shows it
    int difficulty = 0;
};

// Shared by the poster's worker, the trigger that waits for it and the screen that shows its
// answer; every member may be read from any thread.
class CScoreJob
{
public:
    // The posting-finished flag: the worker holds its own copy of the inputs.
    bool InputsCopied() const { return m_bInputsCopied.load(std::memory_order_acquire); }
    // The worker has ended, whatever the outcome.
    bool IsDone() const { return m_bDone.load(std::memory_order_acquire); }
    // True exactly once, after a successful posting: the server's message and when it arrived.
    bool TakeServerMessage(XString& message, std::chrono::steady_clock::time_point& arrived);
    // Asks the worker to stop; a call in flight ends within a few milliseconds, without result.
    void GiveUp() { m_bGiveUp.store(true, std::memory_order_release); }

private:
    friend class CScorePoster;

    std::atomic<bool> m_bInputsCopied{false};
    std::atomic<bool> m_bGiveUp{false};
    std::atomic<bool> m_bHasResult{false};
    std::atomic<bool> m_bTaken{false};
    std::atomic<bool> m_bDone{false};
    // Written by the worker before m_bHasResult is set, read only after it is seen set.
    XString m_strServerMsg;
    std::chrono::steady_clock::time_point m_arrived;
};

class CScorePoster
{
public:
    // The longest wait for workers when the program ends.
    static constexpr unsigned kShutdownMs = 1000;

    explicit CScorePoster(const CServiceConfig& service = CServiceConfig());
    // Shutdown(kShutdownMs).
    ~CScorePoster();
    CScorePoster(const CScorePoster&) = delete;
    CScorePoster& operator=(const CScorePoster&) = delete;

    // Post and Shutdown belong to one thread (the main thread), so the worker list needs no lock.
    // Starts a worker with its own copy of entry and returns the job; nullptr when no thread
    // could be started. A file name without a digit ends the worker without posting.
    std::shared_ptr<CScoreJob> Post(const CScoreEntry& entry);

    // Tells every worker to give up and waits until all have ended or timeoutMs has passed. A
    // worker still running after that holds only what it shares with its job and ends on its
    // own. Later Post calls start nothing.
    void Shutdown(unsigned timeoutMs);

    // The pieces of a posting, shared with the reference server's tests.
    // The part of the file name before its first digit; false when it has none.
    static bool SeriesName(const XString& levelFileName, XString& series);
    // user, key, ticket, game session, level, total, difficulty, joined by "\n".
    static XString DataText(const CScoreEntry& entry);
    // ticket + user + series, lower-cased by XString::MakeLower.
    static XString KeyText(const XString& loginTicket, const XString& userName, const XString& series);
    // The sxData value: the data text enciphered with XTextCipher::Encrypt under the key text,
    // then Base64. False, with the reason in error, when the file name has no digit or the
    // cipher refuses (a key text under four characters).
    static bool BuildData(const CScoreEntry& entry, XString& sxData, XString& error);
    static CSoapOperation AddScoreOperation(const CServiceConfig& service);

private:
    struct Worker
    {
        std::thread thread;
        std::shared_ptr<CScoreJob> job;
    };

    static void Run(CServiceConfig service, CScoreEntry entry, std::shared_ptr<CScoreJob> job);
    void ReapFinished();

    CServiceConfig m_service;
    std::vector<Worker> m_workers;
    bool m_bStopped = false;
};
