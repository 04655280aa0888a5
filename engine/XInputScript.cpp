// Parsing and replay of input scripts.
#include "engine/XInputScript.h"

#include "platform/fs/FileReader.h"
#include "platform/window/Events.h"
#include "platform/window/KeyCodes.h"

#include <algorithm>
#include <cctype>
#include <sstream>

namespace
{

// A frame of a paced run lasts at most this long: a script cannot stall the game for minutes.
const long long kMaxPaceMs = 1000;

bool ParseNumber(const std::string& text, long long& out)
{
    if (text.empty())
        return false;
    size_t used = 0;
    try
    {
        out = std::stoll(text, &used);
    }
    catch (...)
    {
        return false;
    }
    return used == text.size();
}

int ButtonFromName(const std::string& name)
{
    std::string lower = name;
    std::transform(lower.begin(), lower.end(), lower.begin(), [](unsigned char c) { return std::tolower(c); });
    if (lower == "left")
        return plk::kMouseLeft;
    if (lower == "right")
        return plk::kMouseRight;
    if (lower == "middle")
        return plk::kMouseMiddle;
    return -1;
}

// The key that types c and whether Shift must be held; 0 when no key types it.
int KeyForCharacter(char c, bool& shift)
{
    shift = std::isupper(static_cast<unsigned char>(c)) != 0;
    if (c == ' ')
        return plk::kKeySpace;
    const char name[2] = {static_cast<char>(std::tolower(static_cast<unsigned char>(c))), '\0'};
    return plk::KeyCodeFromName(name);
}

} // namespace

bool XInputScript::Load(const XString& fileName)
{
    std::vector<char> bytes;
    if (plk::fs::ReadWholeFile(fileName.GetBuffer(), bytes) != 0)
    {
        m_strErrorMsg = "Error: in XInputScript::Load, the script file = ";
        m_strErrorMsg += fileName;
        m_strErrorMsg += " could not be read.";
        return false;
    }
    return Parse(std::string(bytes.begin(), bytes.end()));
}

bool XInputScript::Parse(const std::string& text)
{
    m_strErrorMsg = "";
    std::vector<Step> steps;
    std::istringstream lines(text);
    std::string line;
    unsigned lineNumber = 0;
    while (std::getline(lines, line))
    {
        ++lineNumber;
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (!ParseLine(line, lineNumber, steps))
            return false;
    }
    // A click's release lands on a later frame than lines that follow it in the file.
    std::stable_sort(steps.begin(), steps.end(), [](const Step& a, const Step& b) { return a.frame < b.frame; });
    m_steps = std::move(steps);
    m_next = 0;
    return true;
}

bool XInputScript::ParseLine(const std::string& line, unsigned lineNumber, std::vector<Step>& steps)
{
    const size_t first = line.find_first_not_of(" \t");
    if (first == std::string::npos || line[first] == '#')
        return true;
    std::istringstream words(line);
    std::string frameText, verb;
    words >> frameText >> verb;
    long long frameValue = 0;
    if (!ParseNumber(frameText, frameValue) || frameValue < 0 || frameValue > 0xFFFFFFFFll)
        return Fail(lineNumber, "the frame number \"" + frameText + "\" is not a number from 0 up");
    const unsigned frame = static_cast<unsigned>(frameValue);
    std::string rest;
    std::getline(words, rest);
    const size_t restStart = rest.find_first_not_of(" \t");
    rest = restStart == std::string::npos ? std::string() : rest.substr(restStart);

    Step step;
    step.frame = frame;
    if (verb == "keydown" || verb == "keyup")
    {
        step.action = verb == "keydown" ? Action::kKeyDown : Action::kKeyUp;
        step.key = plk::KeyCodeFromName(rest);
        if (step.key == 0)
            return Fail(lineNumber, "unknown key name \"" + rest + "\"");
        steps.push_back(step);
        return true;
    }
    if (verb == "type")
    {
        if (rest.empty())
            return Fail(lineNumber, "type needs a text");
        for (char c : rest)
        {
            bool shift = false;
            const int key = KeyForCharacter(c, shift);
            if (key == 0)
                return Fail(lineNumber, std::string("no key types the character '") + c + "'");
            if (shift)
                steps.push_back(Step{frame, Action::kKeyDown, plk::kKeyLeftShift, 0, 0, 0});
            steps.push_back(Step{frame, Action::kKeyDown, key, 0, 0, 0});
            steps.push_back(Step{frame, Action::kKeyUp, key, 0, 0, 0});
            if (shift)
                steps.push_back(Step{frame, Action::kKeyUp, plk::kKeyLeftShift, 0, 0, 0});
        }
        return true;
    }
    if (verb == "move" || verb == "click")
    {
        std::istringstream numbers(rest);
        std::string xText, yText, extra;
        numbers >> xText >> yText >> extra;
        long long x = 0, y = 0;
        if (!ParseNumber(xText, x) || !ParseNumber(yText, y) || !extra.empty())
            return Fail(lineNumber, verb + " needs two whole numbers X Y");
        steps.push_back(Step{frame, Action::kMove, 0, 0, static_cast<int>(x), static_cast<int>(y)});
        if (verb == "click")
        {
            steps.push_back(Step{frame, Action::kButtonDown, 0, plk::kMouseLeft, 0, 0});
            steps.push_back(Step{frame + 1, Action::kButtonUp, 0, plk::kMouseLeft, 0, 0});
        }
        return true;
    }
    if (verb == "down" || verb == "up")
    {
        step.action = verb == "down" ? Action::kButtonDown : Action::kButtonUp;
        step.button = ButtonFromName(rest);
        if (step.button < 0)
            return Fail(lineNumber, "unknown mouse button \"" + rest + "\" (left, right or middle)");
        steps.push_back(step);
        return true;
    }
    if (verb == "pace")
    {
        long long ms = 0;
        if (!ParseNumber(rest, ms) || ms < 0 || ms > kMaxPaceMs)
            return Fail(lineNumber, "pace needs a number of ms from 0 to " + std::to_string(kMaxPaceMs));
        step.action = Action::kPace;
        step.value = static_cast<unsigned>(ms);
        steps.push_back(step);
        return true;
    }
    if (verb == "shot" || verb == "quit" || verb == "blur" || verb == "focus")
    {
        if (!rest.empty())
            return Fail(lineNumber, verb + " takes no arguments");
        step.action = verb == "shot"   ? Action::kShot
                      : verb == "quit" ? Action::kQuit
                      : verb == "blur" ? Action::kBlur
                                       : Action::kFocus;
        steps.push_back(step);
        return true;
    }
    return Fail(lineNumber, "unknown verb \"" + verb + "\"");
}

bool XInputScript::Apply(unsigned frame)
{
    bool shot = false;
    // Steps of frames already gone (a script started late) are dropped, not replayed out of time.
    while (m_next < m_steps.size() && m_steps[m_next].frame < frame)
        ++m_next;
    for (; m_next < m_steps.size() && m_steps[m_next].frame == frame; ++m_next)
    {
        const Step& step = m_steps[m_next];
        switch (step.action)
        {
        case Action::kKeyDown: plk::PushKeyEvent(step.key, true); break;
        case Action::kKeyUp: plk::PushKeyEvent(step.key, false); break;
        case Action::kMove: plk::PushMouseMove(step.x, step.y); break;
        case Action::kButtonDown: plk::PushMouseButton(step.button, true); break;
        case Action::kButtonUp: plk::PushMouseButton(step.button, false); break;
        case Action::kShot: shot = true; break;
        case Action::kQuit: plk::PushQuitEvent(); break;
        case Action::kBlur: plk::PushFocusEvent(false); break;
        case Action::kFocus: plk::PushFocusEvent(true); break;
        case Action::kPace: m_uiPaceMs = step.value; break;
        }
    }
    return shot;
}

bool XInputScript::Fail(unsigned lineNumber, const std::string& what)
{
    m_strErrorMsg = "Error: in XInputScript::Parse, line ";
    m_strErrorMsg += lineNumber;
    m_strErrorMsg += ": ";
    m_strErrorMsg += what.c_str();
    m_strErrorMsg += ".";
    return false;
}
