// The game program's life: start-up in its fixed order, the engine's main loop, and shutdown in
// reverse, with every fatal failure reported in the log and in a message box.
#pragma once

#include "app/CCommandLine.h"
#include "foundation/XString.h"

#include <functional>

class CLoginInfo;
struct CServiceConfig;
class XGameEngine;
class CGameLevel;
class CSharedLoader;

class CGameProgram
{
public:
    // Shows a fatal message to the player: caption, text.
    using MessageBoxFn = std::function<void(const XString& caption, const XString& text)>;

    static const char* const kStartBanner;
    static const char* const kExitLine;
    // The loader gets this long at start-up; after it the title is shown, and a level waits at the
    // title until the loader is done.
    static const unsigned kLoaderWaitMs = 30000;
    static const unsigned kTransitionMs = 700;

    CGameProgram();

    // Replaces the message box (tests, unattended runs).
    void SetMessageBox(MessageBoxFn messageBox) { m_messageBox = std::move(messageBox); }

    // The whole run. Returns 0 even after a fatal error: the player has been told in a message
    // box and the log has the reason.
    int Run(int argc, const char* const* argv);

    // Start-up steps that need no window, in the order Run takes them. Each false ends the run.
    bool ReadConfiguration(const CCommandLine& commandLine);
    void SeedRandom(const CCommandLine& commandLine);
    void WriteStartEntry();

private:
    void Fatal(const XString& logLine, const XString& boxText, const char* caption);
    // The login goes to the score postings: filled after a login in the startup dialog, empty
    // when the player played without one or the dialog was skipped.
    void RunEngine(const CCommandLine& commandLine, const CServiceConfig& service, const CLoginInfo& login);
    // Writes the loader's failures that are not in the log yet; nothing while it still runs.
    static void LogLoaderErrors(CSharedLoader& loader);
    bool SetupEngine(XGameEngine& engine, const CCommandLine& commandLine);

    MessageBoxFn m_messageBox;
};
