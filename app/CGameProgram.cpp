// Start-up and shutdown of the game program.
#include "app/CGameProgram.h"

#include "app/CSharedLoader.h"
#include "app/CStartupDialog.h"
#include "app/CStartupFiles.h"
#include "app/config/CGameFolders.h"
#include "engine/XDXSound.h"
#include "engine/XGameEngine.h"
#include "engine/XRandom.h"
#include "engine/XScreenTransition.h"
#include "foundation/CLogFile.h"
#include "foundation/VideoModeSettings.h"
#include "foundation/XException.h"
#include "game/CGameLevel.h"
#include "game/GameRandom.h"
#include "online/CServiceConfig.h"
#include "platform/window/ProgramPath.h"
#include "platform/window/Window.h"
#include "screens/CScoreUploads.h"
#include "screens/CSoundSettings.h"
#include "screens/CSplashIntro.h"

#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <memory>
#include <new>

namespace
{

const char* const kFatalCaption = "Fatal Error";
const char* const kExceptionCaption = "Exception";
const char* const kWindowClass = "Plinkett3";
const char* const kWindowTitle = "Plinkett3 v1.0 - Match three of a colour, Esc on the title quits";
const char* const kDateFormat = "MM/DD/YYYY hh:mm:ss";
// No rate of the game's own: the engine holds it to the display's refresh rate.
const float kFrameRate = 1000.0f;

void ShowBox(const XString& caption, const XString& text)
{
    plk::ShowMessageBox(caption.GetBuffer(), text.GetBuffer(), plk::MessageBoxKind::kError);
}

// The score service's address: --service-url, else the registry beside "InstallPath", else the
// reference server's default. A registry value that is no address only reaches the log.
CServiceConfig ScoreService(const CCommandLine& commandLine)
{
    CServiceConfig service;
    XString warnings;
    service.baseUrl = !commandLine.serviceUrl.IsEmpty()
                          ? commandLine.serviceUrl
                          : CServiceConfig::ReadRegistry(CGameFolders::kMachineKey, CGameFolders::kUserKey,
                                                         "ServiceURL", warnings);
    for (unsigned start = 0; start < warnings.GetLength();)
    {
        const int end = warnings.Find('\n', start);
        XString line;
        line.SetData(warnings.GetBuffer(start), end - static_cast<int>(start));
        CLogFile::WriteLine(line);
        start = static_cast<unsigned>(end) + 1;
    }
    return service;
}

// The mode the game runs in, and what became of the one asked for when it differs: a player whose
// screen could not show the chosen mode finds the reason here.
XString VideoModeLine(const XGameEngine& engine, const VideoModeSettings& asked)
{
    XString line;
    line.Format("Video mode: %u x %u, %u bits, %s", engine.GetWidth(), engine.GetHeight(),
                static_cast<unsigned>(engine.GetBitsPerPixel()), engine.IsWindowed() ? "windowed" : "full screen");
    const bool sizeAsked = asked.Width > 0 && asked.Height > 0;
    if (!engine.GetModeFailure().IsEmpty())
    {
        if (sizeAsked)
            line.FormatAppend(" instead of %d x %d, %d bits", asked.Width, asked.Height, asked.BitsPerPixel);
        line += ", because ";
        line += engine.GetModeFailure();
    }
    else if (sizeAsked && (engine.GetWidth() != static_cast<unsigned>(asked.Width) ||
                           engine.GetHeight() != static_cast<unsigned>(asked.Height)))
    {
        line.FormatAppend(", %d x %d fitted to the screen", asked.Width, asked.Height);
    }
    return line;
}

// Records a full-screen switch (F11, Alt+Enter) in the video-mode file, so that the next start
// keeps it. Without a readable file the switch is to the desktop's own mode, which is what the
// tool's first entry asks for.
void RememberFullScreen(bool fullScreen)
{
    VideoModeSettings mode;
    if (!mode.Read(CGameFolders::Data().GetBuffer()))
    {
        mode.Id = 0;
        mode.Width = mode.Height = 0;
        mode.BitsPerPixel = 0;
        mode.Hz = 0;
    }
    mode.FullScreen = fullScreen;
    if (!mode.Write(CGameFolders::Data().GetBuffer()))
        CLogFile::WriteLine(XString(mode.GetErrorMsg()));
}

// Frame pacing over the run, for players who report stutter and for the benchmarks.
XString PacingLine(const XGameEngine& engine)
{
    static const char* const kVSyncNames[] = {"off", "on", "adaptive"};
    const XFrameTimeStats& stats = engine.GetFrameTimeStats();
    XString line;
    line.Format("Frame pacing: %u frames, mean %.2f ms, standard deviation %.2f ms, vsync %s", stats.Count(),
                stats.MeanMs(), stats.StdDevMs(), kVSyncNames[static_cast<int>(engine.GetVSync())]);
    return line;
}

} // namespace

const char* const CGameProgram::kStartBanner = "----------- WinMain Game Startup... Plinkett v1.0 -------------\r\n";
const char* const CGameProgram::kExitLine = "----------- Game exiting normally -------------";

CGameProgram::CGameProgram() : m_messageBox(ShowBox)
{
}

void CGameProgram::Fatal(const XString& logLine, const XString& boxText, const char* caption)
{
    if (!logLine.IsEmpty())
        CLogFile::WriteLine(logLine);
    m_messageBox(XString(caption), boxText);
}

bool CGameProgram::ReadConfiguration(const CCommandLine& commandLine)
{
    if (!CGameFolders::ReadConfiguration(commandLine.installDir, XString(plk::ProgramFolder().c_str())))
        return false;
    // Before anything is written, the log included: a system-wide install is read-only.
    if (CGameFolders::NeedsPerUserFolder(commandLine.perUserData, CGameFolders::Install()))
    {
        const XString user = CGameFolders::PerUserFolder(std::getenv("XDG_DATA_HOME"), std::getenv("HOME"));
        if (!user.IsEmpty())
            CGameFolders::UsePerUserFolder(user);
    }
    CSoundSettings::SetFile(CSoundSettings::FileFor(std::getenv("XDG_CONFIG_HOME"), std::getenv("HOME")));
    return true;
}

void CGameProgram::SeedRandom(const CCommandLine& commandLine)
{
    const unsigned seed = commandLine.seedGiven ? commandLine.seed : static_cast<unsigned>(std::time(nullptr));
    CGameRandom::Seed(seed);
    XRandom::Effects().Seed(seed);
}

void CGameProgram::WriteStartEntry()
{
    XString date;
    date.GetTime(kDateFormat, false);
    CLogFile log;
    log.Clear();
    log += kStartBanner;
    log += "Date and time: ";
    log += date;
    log.Write();
}

int CGameProgram::Run(int argc, const char* const* argv)
{
    CCommandLine commandLine;
    XString error;
    if (!commandLine.Parse(argc, argv, error))
    {
        m_messageBox(XString(kFatalCaption), error);
        return 0;
    }
    if (commandLine.showHelp || commandLine.showVersion)
    {
        if (commandLine.showHelp)
            std::fputs(CCommandLine::kUsage, stdout);
        else
            std::printf("Plinkett3 %s\n", CCommandLine::kVersion);
        return 0;
    }
    if (commandLine.IsUnattended())
        m_messageBox = [](const XString& caption, const XString& text) {
            std::fprintf(stderr, "%s: %s\n", caption.GetBuffer(), text.GetBuffer());
        };
    if (!ReadConfiguration(commandLine))
    {
        m_messageBox(XString(kFatalCaption), XString("Fatal error: failed to load configuration information."));
        return 0;
    }
    SeedRandom(commandLine);
    WriteStartEntry();
    if (!CGameFolders::User().IsEmpty())
    {
        XString line("Per-user folder: ");
        line += CGameFolders::User();
        line += " (saved games, the log and settings are written there)";
        CLogFile::WriteLine(line);
    }
    const CServiceConfig service = ScoreService(commandLine);
    CLoginInfo login(service);
    if (!commandLine.skipDialog && !CStartupFiles(CGameFolders::Data()).MarkerExists())
    {
        CStartupDialog dialog(CGameFolders::Install(), CGameFolders::Data(), service);
        if (dialog.DoModal() < 0)
        {
            XString line("Error: the startup dialog could not be shown, the game starts without login: ");
            line += dialog.Error().c_str();
            CLogFile::WriteLine(line);
        }
        else if (dialog.ExitChosen())
        {
            return 0;
        }
        login = dialog.GetLoginInfo();
    }
    RunEngine(commandLine, service, login);
    CLogFile::WriteLine(XString(kExitLine));
    return 0;
}

void CGameProgram::LogLoaderErrors(CSharedLoader& loader)
{
    for (const XString& line : loader.TakeErrors())
        CLogFile::WriteLine(line);
}

bool CGameProgram::SetupEngine(XGameEngine& engine, const CCommandLine& commandLine)
{
    VideoModeSettings mode;
    mode.Read(CGameFolders::Data().GetBuffer());
    mode.ApplyGameDefaults();

    XString installer(CGameFolders::Install());
    installer += "DirectX9c\\";
    if (installer.DirectoryExists())
        installer.RemoveDirectory();

    if (!engine.Setup(!mode.FullScreen, true, static_cast<unsigned>(mode.Width), static_cast<unsigned>(mode.Height),
                      static_cast<unsigned char>(mode.BitsPerPixel), mode.Hz, kWindowClass, kWindowTitle))
    {
        XString line("Fatal error: while in WinMain, calling Setup. msg=");
        line += engine.GetErrorMsg();
        Fatal(line, engine.GetErrorMsg(), kFatalCaption);
        return false;
    }
    CLogFile::WriteLine(VideoModeLine(engine, mode));
    XEngineOptions options = commandLine.engine;
    // Screenshots go beside the program, which a system-wide install cannot write.
    if (options.captureDir.IsEmpty() && !CGameFolders::User().IsEmpty())
    {
        options.captureDir = CGameFolders::User();
        options.captureDir += "capture/";
    }
    if (!engine.SetOptions(options))
    {
        XString line("Fatal error: while in WinMain, applying the command line. msg=");
        line += engine.GetErrorMsg();
        Fatal(line, engine.GetErrorMsg(), kFatalCaption);
        return false;
    }
    engine.SetFrameRate(kFrameRate, false);
    engine.SetFullScreenListener(RememberFullScreen);
    CSoundSettings settings;
    settings.Read(CSoundSettings::GetFile());
    XDXSound::EnableMusic(settings.music, false);
    XDXSound::EnableSounds(settings.sound);
    engine.SetPath(CGameFolders::Data());
    XDXSound::SetPath(CGameFolders::Data());
    engine.ShowCursor(true);
    return true;
}

void CGameProgram::RunEngine(const CCommandLine& commandLine, const CServiceConfig& service, const CLoginInfo& login)
{
    std::unique_ptr<XGameEngine> engine;
    std::unique_ptr<CGameLevel> level;
    std::unique_ptr<CSharedLoader> loader;
    try
    {
        engine.reset(new (std::nothrow) XGameEngine());
        if (!engine)
        {
            Fatal(XString("Fatal error: while in WinMain, failed to allocate memory for the game."),
                  XString("Fatal error: failed to allocate memory for the game."), kFatalCaption);
            return;
        }
        if (!SetupEngine(*engine, commandLine))
            return;
        level.reset(new (std::nothrow) CGameLevel(engine.get()));
        if (!level)
        {
            Fatal(XString("Fatal error: while in WinMain, failed to allocate memory for level class."),
                  XString("Fatal error: failed to allocate memory for level class."), kFatalCaption);
            return;
        }
        level->SetDataFolder(CGameFolders::Data());

        level->SetSharedLoaded(false);
        CGameLevel* game = level.get();
        loader = std::make_unique<CSharedLoader>(CSharedLoader::GameSteps(CGameFolders::Data()),
                                                 [game] { game->SetSharedLoaded(true); });
        loader->Start();
        if (loader->Wait(kLoaderWaitMs))
            LogLoaderErrors(*loader);
        else
            CLogFile::WriteLine(XString("Error: in WinMain, the shared resources are still loading after the "
                                        "start-up wait; the title is shown and levels start once they are loaded."));

        CScoreUploads::Configure(service);
        CScoreLogin scoreLogin;
        scoreLogin.userName = login.m_strUserName;
        scoreLogin.ticket = login.m_strLoginTicket;
        scoreLogin.uploadScores = login.m_bUploadScores;
        CScoreUploads::SetLogin(scoreLogin);
        auto* transition = new (std::nothrow) XScreenTransition(static_cast<float>(kTransitionMs));
        auto* splash = new (std::nothrow) CSplashIntro(level.get());
        engine->AddScreen(false, false, true, splash, transition);

        const bool ran = engine->Run();
        CLogFile::WriteLine(PacingLine(*engine));
        if (!ran)
        {
            XString line("Fatal error: while in WinMain, calling Run. msg=");
            line += engine->GetErrorMsg();
            Fatal(line, engine->GetErrorMsg(), kFatalCaption);
        }
    }
    catch (const XException& e)
    {
        XString line("Fatal error: while in WinMain, XException was caught. msg=");
        line += e.GetMessage();
        Fatal(line, XString(e.GetMessage()), kExceptionCaption);
    }
    // Shutdown in reverse: score postings in flight (given up), shared resources (once the
    // loader has ended), the level, the engine.
    CScoreUploads::Shutdown();
    if (loader)
    {
        loader->Unload();
        LogLoaderErrors(*loader);
    }
    level.reset();
    engine.reset();
}
