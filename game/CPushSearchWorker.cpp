// The push search's worker thread.
#include "game/CPushSearchWorker.h"

#include "engine/XDXSound.h"

#include <chrono>

CPushSearchWorker::~CPushSearchWorker()
{
    Cancel();
}

void CPushSearchWorker::Start(const CPushBoard::Setup& setup, const CPushSolver::Limits& limits, int timeLimitMs,
                              bool settleFirst)
{
    Cancel();
    m_bCancel = false;
    m_bDone = false;
    m_answer = Answer();
    m_thread = std::thread([this, setup, limits, timeLimitMs, settleFirst]() {
        XDXSound::MuteThisThread();
        CPushSolver::Limits bounded = limits;
        if (timeLimitMs > 0)
            bounded.deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeLimitMs);
        CPushBoard board;
        board.Prepare(setup);
        CPushSolver solver;
        Answer answer;
        CPushBoard::Position start = setup.cubes;
        int score = 0;
        const CPushBoard::Result settled =
            settleFirst ? board.Settle(setup.cubes, start, score, bounded.settleFrames) : CPushBoard::kRests;
        if (settled == CPushBoard::kWon)
            answer.outcome = CPushSolver::kSolved;
        else if (settled == CPushBoard::kNoRest)
            answer.restless = true;
        else
        {
            answer.outcome = solver.Solve(board, start, bounded, &m_bCancel);
            answer.pushes = solver.GetPushes();
            answer.positions = solver.GetPositionsSeen();
            answer.depthSearched = solver.GetDepthSearched();
        }
        m_answer = std::move(answer);
        m_bDone.store(true, std::memory_order_release);
    });
}

void CPushSearchWorker::Cancel()
{
    if (!m_thread.joinable())
        return;
    m_bCancel = true;
    m_thread.join();
}

bool CPushSearchWorker::TakeAnswer(Answer& answer)
{
    if (!m_thread.joinable() || !m_bDone.load(std::memory_order_acquire))
        return false;
    m_thread.join();
    answer = std::move(m_answer);
    return true;
}
