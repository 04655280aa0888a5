// Reading and writing recorded solutions.
#include "tools/levelplay/LevelSolution.h"

#include <sstream>

namespace
{

struct Direction
{
    const char* name;
    int dx, dz;
};
const Direction kDirections[] = {{"+x", 1, 0}, {"-x", -1, 0}, {"+z", 0, 1}, {"-z", 0, -1}};
const int kSpareSlots = 3;

// Reads the optional "at FRAME" tail; false when anything else follows.
bool ReadTiming(std::istringstream& in, int& frame)
{
    std::string word;
    if (!(in >> word))
        return true;
    long value = -1;
    if (word != "at" || !(in >> value) || value < 0 || value > 10000000)
        return false;
    frame = static_cast<int>(value);
    return !(in >> word);
}

} // namespace

const char* CLevelSolution::DirectionName(int dx, int dz)
{
    for (const Direction& d : kDirections)
        if (d.dx == dx && d.dz == dz)
            return d.name;
    return "";
}

void CLevelSolution::Clear()
{
    m_uiSeed = 1;
    m_moves.clear();
}

bool CLevelSolution::ParseLine(const std::string& line)
{
    std::istringstream in(line);
    std::string verb;
    if (!(in >> verb) || verb[0] == '#')
        return true;
    if (verb == "seed")
    {
        long long seed = -1;
        std::string rest;
        if (!(in >> seed) || seed < 0 || seed > 0xFFFFFFFFll || (in >> rest))
            return false;
        m_uiSeed = static_cast<unsigned>(seed);
        return true;
    }
    SolutionMove move;
    if (verb == "push")
    {
        std::string direction;
        if (!(in >> move.gx >> move.gy >> move.gz >> direction))
            return false;
        bool known = false;
        for (const Direction& d : kDirections)
            if (direction == d.name)
            {
                move.dx = d.dx;
                move.dz = d.dz;
                known = true;
            }
        if (!known)
            return false;
    }
    else if (verb == "drop")
    {
        move.kind = SolutionMove::kDrop;
        if (!(in >> move.slot) || move.slot < 0 || move.slot >= kSpareSlots)
            return false;
    }
    else
        return false;
    if (!ReadTiming(in, move.frame))
        return false;
    m_moves.push_back(move);
    return true;
}

bool CLevelSolution::Parse(const std::string& text)
{
    Clear();
    m_strErrorMsg = "";
    std::istringstream in(text);
    std::string line;
    for (int number = 1; std::getline(in, line); ++number)
    {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (!ParseLine(line))
        {
            Clear();
            m_strErrorMsg = "Error: in CLevelSolution::Parse, line ";
            m_strErrorMsg += number;
            m_strErrorMsg += " is not a solution line: ";
            m_strErrorMsg += line.c_str();
            return false;
        }
    }
    return true;
}

bool CLevelSolution::ReadFile(const XString& path)
{
    XString text;
    if (!text.ReadFile(path.GetBuffer()))
    {
        Clear();
        m_strErrorMsg = "Error: in CLevelSolution::ReadFile, reading the file failed. Msg=";
        m_strErrorMsg += text.GetErrorMsg();
        return false;
    }
    return Parse(std::string(text.GetBuffer(), text.GetLength()));
}

std::string CLevelSolution::Format(const std::string& comment) const
{
    std::ostringstream out;
    if (!comment.empty())
        out << "# " << comment << "\n";
    out << "seed " << m_uiSeed << "\n";
    for (const SolutionMove& move : m_moves)
    {
        if (move.kind == SolutionMove::kPush)
            out << "push " << move.gx << ' ' << move.gy << ' ' << move.gz << ' ' << DirectionName(move.dx, move.dz);
        else
            out << "drop " << move.slot;
        if (move.frame != SolutionMove::kWhenAtRest)
            out << " at " << move.frame;
        out << "\n";
    }
    return out.str();
}
