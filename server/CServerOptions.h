// The score server's command line and the series whose scores it takes.
#pragma once

#include <string>
#include <vector>

namespace plk::server
{

struct CServerOptions
{
    static const char* const kDefaultDatabase; // "Plinkett3Scores.sqlite", in the current folder
    static const char* const kStandardSeries;  // "StdLevel"

    std::string database = kDefaultDatabase;
    std::string bind = "127.0.0.1";
    int port = 8780;
    // From --series: replaces the standard series and the level sets of the game's "Upg.xml".
    std::vector<std::string> series;
    // The game's install folder, whose data/Upg.xml names the level sets; empty: the folder this
    // program lies in, since it is installed beside the game.
    std::string installDir;
    bool help = false;

    // False with the reason in error on an unknown option, a missing or bad value.
    bool Parse(int argc, const char* const* argv, std::string& error);
    static const char* Usage();
};

// The set names of an "Upg.xml" text, read by the game's own rule: inside the first LevelSets
// element, "<Set0 ", "<Set1 ", ... up to the first number missing, each up to the next "/>",
// skipping a set whose Name or Description is empty.
std::vector<std::string> LevelSetNames(const std::string& text);
// "StdLevel" followed by the sets of installDir's data/Upg.xml (none when it cannot be read).
std::vector<std::string> KnownSeries(const std::string& installDir);

} // namespace plk::server
