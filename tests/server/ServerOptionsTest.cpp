// The server's command line and the series it takes from the game's level-set file.
#include "ServerTestSupport.h"

#include "server/CServerOptions.h"

#include <fstream>

using namespace plk::server;
using namespace plk::server::test;

namespace
{

bool Parse(std::vector<const char*> args, CServerOptions& options, std::string& error)
{
    args.insert(args.begin(), "Plinkett3ScoreServer");
    return options.Parse(static_cast<int>(args.size()), args.data(), error);
}

TEST(ServerOptions, DefaultsAndEveryOption)
{
    CServerOptions defaults;
    std::string error;
    ASSERT_TRUE(Parse({}, defaults, error));
    EXPECT_EQ(defaults.database, "Plinkett3Scores.sqlite");
    EXPECT_EQ(defaults.port, 8780);
    EXPECT_EQ(defaults.bind, "127.0.0.1");
    EXPECT_TRUE(defaults.series.empty());

    CServerOptions options;
    ASSERT_TRUE(Parse({"--db", "/srv/s.db", "--port", "0", "--bind", "0.0.0.0", "--series", "StdLevel,Caf\xC3\xA9",
                       "--install-dir", "/opt/game"},
                      options, error))
        << error;
    EXPECT_EQ(options.database, "/srv/s.db");
    EXPECT_EQ(options.port, 0);
    EXPECT_EQ(options.bind, "0.0.0.0");
    EXPECT_EQ(options.series, (std::vector<std::string>{"StdLevel", "Caf\xE9"})) << "series names become Windows-1252";
    EXPECT_EQ(options.installDir, "/opt/game");

    for (const std::vector<const char*>& bad :
         {std::vector<const char*>{"--port", "65536"}, {"--port", "8780x"}, {"--port"}, {"--series", "A,,B"},
          {"--db", ""}, {"--verbose"}})
    {
        CServerOptions refused;
        EXPECT_FALSE(Parse(bad, refused, error)) << bad[0];
        EXPECT_FALSE(error.empty());
    }
}

TEST(ServerOptions, ReadsTheSeriesOfTheGamesLevelSetFileByItsRule)
{
    EXPECT_EQ(LevelSetNames("<LevelSets><Set0 Name=\"Caves\" Description=\"Cave levels\"/>"
                            "<Set1 Description=\"No name\" Name=\"\"/>"
                            "<Set2 Description=\"Ice\" Name=\"Ice\"/>"
                            "<Set4 Name=\"Gap\" Description=\"After a gap\"/></LevelSets>"),
              (std::vector<std::string>{"Caves", "Ice"}));
    EXPECT_TRUE(LevelSetNames("<Set0 Name=\"Outside\" Description=\"x\"/>").empty());

    ScratchFolder folder;
    EXPECT_EQ(KnownSeries(folder.Path().string()), (std::vector<std::string>{"StdLevel"}));
    std::filesystem::create_directories(folder.Path() / "data");
    std::ofstream(folder.Path() / "data" / "UPG.XML")
        << "<LevelSets>\r\n\t<Set0 Name=\"Crystal\" Description=\"Crystal caves\"/>\r\n"
           "\t<Set1 Name=\"stdlevel\" Description=\"Again\"/>\r\n</LevelSets>\r\n";
    EXPECT_EQ(KnownSeries(folder.Path().string()), (std::vector<std::string>{"StdLevel", "Crystal"}))
        << "found whatever the case of the file name, without repeating the standard series";
}

} // namespace
