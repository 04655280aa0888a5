// Parsing of the game's own options; the engine's are handed to XEngineOptions.
#include "app/CCommandLine.h"

#include "online/CServiceConfig.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>

namespace
{

// Options XEngineOptions takes, each with one value.
const char* const kEngineOptions[] = {"--fixed-step", "--max-frames", "--capture-dir", "--script"};
// --fixed-step runs replay the same draws every time.
const unsigned kFixedStepSeed = 1;

bool IsEngineOption(const char* option)
{
    for (const char* known : kEngineOptions)
        if (std::strcmp(option, known) == 0)
            return true;
    return false;
}

bool ParseSeed(const char* text, unsigned& out)
{
    if (!text || *text < '0' || *text > '9')
        return false;
    char* end = nullptr;
    errno = 0;
    const unsigned long value = std::strtoul(text, &end, 10);
    if (errno != 0 || *end != '\0' || value > 0xFFFFFFFFul)
        return false;
    out = static_cast<unsigned>(value);
    return true;
}

void MissingValue(const char* option, XString& error)
{
    error = "Error: the option ";
    error += option;
    error += " needs a value.";
}

} // namespace

const char* const CCommandLine::kVersion = "1.0";

const char* const CCommandLine::kUsage =
    "Usage: Plinkett3 [OPTION]...\n"
    "A 3D block puzzle: push cubes until three or more of a colour touch.\n"
    "\n"
    "  --install-dir DIR   use the install folder DIR (with data/ and Help.htm) instead of the\n"
    "                      registry's InstallPath or the folder ../share/plinkett3/ beside the program\n"
    "  --per-user-data     write saved games, the log and settings to $XDG_DATA_HOME/plinkett3/\n"
    "                      even when the install folder is writable\n"
    "  --service-url URL   post scores to the score server at URL\n"
    "  --skip-dialog       start without the startup dialog\n"
    "  --fixed-step MS     every frame lasts MS ms of game time (for tests and replays)\n"
    "  --seed N            seed the random generator with N\n"
    "  --script FILE       feed input from FILE, one event a line\n"
    "  --capture-dir DIR   write screenshots to DIR\n"
    "  --max-frames N      end after N frames\n"
    "  -h, --help          show this help and end\n"
    "      --version       show the version and end\n"
    "\n"
    "Keys: F11 or Alt+Enter full screen, P or Esc pause, Print Screen screenshot.\n";

bool CCommandLine::Parse(int argc, const char* const* argv, XString& error)
{
    CCommandLine parsed;
    if (!parsed.engine.Parse(argc, argv, error))
        return false;
    for (int i = 1; i < argc; ++i)
    {
        const char* option = argv[i];
        const char* value = i + 1 < argc ? argv[i + 1] : nullptr;
        if (IsEngineOption(option))
        {
            ++i;
        }
        else if (std::strcmp(option, "--skip-dialog") == 0)
        {
            parsed.skipDialog = true;
        }
        else if (std::strcmp(option, "--help") == 0 || std::strcmp(option, "-h") == 0)
        {
            parsed.showHelp = true;
        }
        else if (std::strcmp(option, "--version") == 0)
        {
            parsed.showVersion = true;
        }
        else if (std::strcmp(option, "--per-user-data") == 0)
        {
            parsed.perUserData = true;
        }
        else if (std::strcmp(option, "--install-dir") == 0)
        {
            if (!value || !*value)
            {
                MissingValue(option, error);
                return false;
            }
            parsed.installDir = value;
            ++i;
        }
        else if (std::strcmp(option, "--service-url") == 0)
        {
            if (!value || !*value)
            {
                MissingValue(option, error);
                return false;
            }
            parsed.serviceUrl = value;
            if (!CServiceConfig::Normalise(parsed.serviceUrl, error))
                return false;
            ++i;
        }
        else if (std::strcmp(option, "--seed") == 0)
        {
            if (!ParseSeed(value, parsed.seed))
            {
                error = "Error: the option --seed needs a whole number from 0 to 4294967295.";
                return false;
            }
            parsed.seedGiven = true;
            ++i;
        }
        else
        {
            error = "Error: unknown option \"";
            error += option;
            error += "\". Try --help.";
            return false;
        }
    }
    if (!parsed.seedGiven && parsed.engine.fixedStepMs != 0)
    {
        parsed.seedGiven = true;
        parsed.seed = kFixedStepSeed;
    }
    *this = parsed;
    return true;
}
