// Command-line parsing and the series list of the score server.
#include "server/CServerOptions.h"

#include "foundation/XString.h"
#include "server/TextCodec.h"

#include <charconv>

namespace plk::server
{

const char* const CServerOptions::kDefaultDatabase = "Plinkett3Scores.sqlite";
const char* const CServerOptions::kStandardSeries = "StdLevel";

namespace
{

// The text between begin and the next end at or after from.
bool Between(const std::string& text, const std::string& begin, const std::string& end, std::string& out,
             std::size_t from = 0)
{
    const std::size_t at = text.find(begin, from);
    if (at == std::string::npos)
        return false;
    const std::size_t valueAt = at + begin.size();
    const std::size_t endAt = text.find(end, valueAt);
    if (endAt == std::string::npos)
        return false;
    out = text.substr(valueAt, endAt - valueAt);
    return true;
}

} // namespace

bool CServerOptions::Parse(int argc, const char* const* argv, std::string& error)
{
    for (int i = 1; i < argc; ++i)
    {
        const std::string option = argv[i];
        if (option == "--help" || option == "-h")
        {
            help = true;
            continue;
        }
        if (option != "--db" && option != "--port" && option != "--bind" && option != "--series" &&
            option != "--install-dir")
        {
            error = "unknown option " + option;
            return false;
        }
        if (i + 1 >= argc)
        {
            error = option + " needs a value";
            return false;
        }
        const std::string value = argv[++i];
        if (option == "--db")
        {
            database = value;
        }
        else if (option == "--bind")
        {
            bind = value;
        }
        else if (option == "--install-dir")
        {
            installDir = value;
        }
        else if (option == "--port")
        {
            int number = -1;
            const auto [end, status] = std::from_chars(value.data(), value.data() + value.size(), number);
            if (status != std::errc() || end != value.data() + value.size() || number < 0 || number > 65535)
            {
                error = "--port takes a number from 0 (any free port) to 65535, not " + value;
                return false;
            }
            port = number;
        }
        else
        {
            series.clear();
            std::size_t start = 0;
            for (;;)
            {
                const std::size_t comma = value.find(',', start);
                const std::string name = value.substr(start, comma == std::string::npos ? comma : comma - start);
                std::string ansi;
                if (name.empty() || !Utf8ToAnsi(name, ansi))
                {
                    error = "--series takes level-file prefixes separated by commas, such as StdLevel,Crystal";
                    return false;
                }
                series.push_back(ansi);
                if (comma == std::string::npos)
                    break;
                start = comma + 1;
            }
        }
    }
    if (database.empty())
    {
        error = "--db needs a file name";
        return false;
    }
    return true;
}

const char* CServerOptions::Usage()
{
    return "Usage: Plinkett3ScoreServer [--db FILE] [--port N] [--bind ADDRESS] [--series A,B,...]\n"
           "                            [--install-dir DIR]\n"
           "  --db FILE          players and scores (default Plinkett3Scores.sqlite, created when missing)\n"
           "  --port N           port to listen on (default 8780; 0 takes any free port)\n"
           "  --bind ADDRESS     address to listen on (default 127.0.0.1; 0.0.0.0 for every network)\n"
           "  --series A,B,...   level series whose scores are taken (default StdLevel and the sets of\n"
           "                     the game's data/Upg.xml)\n"
           "  --install-dir DIR  the game's install folder, for data/Upg.xml (default: this program's folder)\n"
           "Stops cleanly on Ctrl+C or SIGTERM.\n";
}

std::vector<std::string> LevelSetNames(const std::string& text)
{
    std::vector<std::string> names;
    std::string sets;
    if (!Between(text, "<LevelSets>", "</LevelSets>", sets))
        return names;
    for (int n = 0;; ++n)
    {
        std::string set;
        if (!Between(sets, "<Set" + std::to_string(n) + " ", "/>", set))
            break;
        std::string description, name;
        Between(set, "Description=\"", "\"", description);
        Between(set, "Name=\"", "\"", name);
        if (!description.empty() && !name.empty())
            names.push_back(name);
    }
    return names;
}

std::vector<std::string> KnownSeries(const std::string& installDir)
{
    std::vector<std::string> series{CServerOptions::kStandardSeries};
    std::string folder = installDir;
    if (!folder.empty() && folder.back() != '/')
        folder += '/';
    // The foundation's reader finds the file whatever the case of its name, as the game does.
    XString text;
    if (!text.ReadFile((folder + "data/Upg.xml").c_str()))
        return series;
    for (std::string& name : LevelSetNames(std::string(text.GetBuffer(), text.GetLength())))
    {
        bool known = false;
        for (const std::string& have : series)
            known = known || XString(have.c_str()).CompareNoCase(name.c_str()) == 0;
        if (!known)
            series.push_back(std::move(name));
    }
    return series;
}

} // namespace plk::server
