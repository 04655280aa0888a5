// The run's score postings: who is logged in, where scores go, and the postings still in flight.
// The program configures it before the first screen and shuts it down after the last; screens
// reach it through these static members, as they reach the folders.
#pragma once

#include "online/CScorePoster.h"
#include "screens/LevelCompletion.h"

class CGameLevel;

class CScoreUploads
{
public:
    // How long the level-complete flow waits for a worker to hold its own copy of the values.
    static constexpr unsigned kWaitPolls = 200;
    static constexpr unsigned kWaitPollMs = 10;

    // Where scores go; postings in flight under an earlier address are given up.
    static void Configure(const CServiceConfig& service);
    // The login the startup dialog produced; empty (nothing is posted) until then.
    static void SetLogin(const CScoreLogin& login);
    static const CScoreLogin& GetLogin();

    // The posting half of the level-complete trigger: copies the values of the finished level
    // (the total with its time bonus), starts a worker and waits until the worker holds them, at
    // most kWaitPolls x kWaitPollMs. False when no worker could be started.
    static bool Post(CGameLevel& level, const CScoreLogin& login);
    // Main thread, every frame of play: a server message that has arrived becomes the level's
    // status message, unless it arrived longer ago than the level would show it.
    static void Deliver(CGameLevel& level);
    // Tells the postings in flight to give up and waits for them, at most
    // CScorePoster::kShutdownMs; later Post calls start nothing until Configure.
    static void Shutdown();
};
