// Parsing of the engine's automation options.
#include "engine/XEngineOptions.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>

namespace
{

bool ParsePositive(const char* text, unsigned& out)
{
    if (!text || *text < '0' || *text > '9')
        return false;
    char* end = nullptr;
    errno = 0;
    const unsigned long value = std::strtoul(text, &end, 10);
    if (errno != 0 || *end != '\0' || value == 0 || value > 0xFFFFFFFFul)
        return false;
    out = static_cast<unsigned>(value);
    return true;
}

} // namespace

bool XEngineOptions::Parse(int argc, const char* const* argv, XString& error)
{
    error = "";
    for (int i = 1; i < argc; ++i)
    {
        const char* option = argv[i];
        const bool known = std::strcmp(option, "--fixed-step") == 0 || std::strcmp(option, "--max-frames") == 0 ||
                           std::strcmp(option, "--capture-dir") == 0 || std::strcmp(option, "--script") == 0;
        if (!known)
            continue;
        const char* value = i + 1 < argc ? argv[i + 1] : nullptr;
        if (!value || !*value)
        {
            error = "Error: the option ";
            error += option;
            error += " needs a value.";
            return false;
        }
        ++i;
        if (std::strcmp(option, "--capture-dir") == 0)
        {
            captureDir = value;
        }
        else if (std::strcmp(option, "--script") == 0)
        {
            scriptFile = value;
        }
        else if (!ParsePositive(value, std::strcmp(option, "--fixed-step") == 0 ? fixedStepMs : maxFrames))
        {
            error = "Error: the option ";
            error += option;
            error += " needs a whole number above 0, not \"";
            error += value;
            error += "\".";
            return false;
        }
    }
    return true;
}
