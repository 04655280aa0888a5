// A push search on a thread of its own, for the play screen's hints and the builder's check:
// started with a description of the board, polled once a frame, cancelled by any change. The
// worker's cubes stay silent and draw from the worker's own rules generator, so the game's
// sequence, and with it every recorded solution's replay, stays as it was.
#pragma once

#include "game/CPushBoard.h"
#include "game/CPushSolver.h"

#include <atomic>
#include <thread>
#include <vector>

class CPushSearchWorker
{
public:
    struct Answer
    {
        CPushSolver::Outcome outcome = CPushSolver::kGaveUp;
        std::vector<CPushBoard::Push> pushes; // a shortest solution when solved
        long long positions = 0;
        int depthSearched = 0; // every sequence up to this many pushes was tried
        bool restless = false; // settling first, the cubes never came to rest (nothing searched)
    };

    CPushSearchWorker() = default;
    // Cancels a running search and waits for its thread.
    ~CPushSearchWorker();
    CPushSearchWorker(const CPushSearchWorker&) = delete;
    CPushSearchWorker& operator=(const CPushSearchWorker&) = delete;

    // Cancels any search still running, then searches the setup's board within the limits; the
    // time limit (0: none) counts from when the worker begins. With settleFirst the board is
    // first let to come to rest through the rules (a builder's level, never played yet).
    void Start(const CPushBoard::Setup& setup, const CPushSolver::Limits& limits, int timeLimitMs,
               bool settleFirst = false);
    // Stops the search; its answer never comes.
    void Cancel();
    // A search was started and its answer not yet taken.
    bool IsBusy() const { return m_thread.joinable(); }
    // True once per search, when it has ended: the answer is moved out and the thread joined.
    bool TakeAnswer(Answer& answer);

private:
    std::thread m_thread;
    std::atomic<bool> m_bCancel{false};
    std::atomic<bool> m_bDone{false};
    Answer m_answer; // written by the worker before m_bDone, read after it
};
