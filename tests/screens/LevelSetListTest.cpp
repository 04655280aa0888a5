// Reading the level sets of "Upg.xml" and the first level each one starts.
#include "screens/CGameMenu.h"
#include "screens/CLevelSetList.h"

#include <gtest/gtest.h>

namespace
{

TEST(LevelSetListTest, SetsAreReadInNumberOrderUntilTheFirstGap)
{
    CLevelSetList sets;
    sets.Parse(XString("<LevelSets>\r\n"
                       "\t<Set1 Description=\"Second\" Name=\"Two\"/>\r\n"
                       "\t<Set0 Name=\"Caves\" Description=\"Cave levels\" />\r\n"
                       "\t<Set3 Name=\"Four\" Description=\"Unreachable\"/>\r\n"
                       "</LevelSets>"));
    ASSERT_EQ(2u, sets.GetCount());
    EXPECT_STREQ("Cave levels", sets.GetDescription(0).GetBuffer());
    EXPECT_STREQ("Caves", sets.GetName(0).GetBuffer());
    EXPECT_STREQ("Two", sets.GetName(1).GetBuffer());
    EXPECT_STREQ("StdLevel1", CGameMenu::LevelSetStart(sets, 0).GetBuffer());
    EXPECT_STREQ("Caves1", CGameMenu::LevelSetStart(sets, 1).GetBuffer());
    EXPECT_STREQ("Two1", CGameMenu::LevelSetStart(sets, 2).GetBuffer());
}

TEST(LevelSetListTest, IncompleteSetsAreSkippedAndTheRestStillRead)
{
    CLevelSetList sets;
    sets.Parse(XString("<LevelSets><Set0 Name=\"\" Description=\"No name\"/><Set1 Name=\"NoText\"/>"
                       "<Set2 Name=\"Ok\" Description=\"Fine\"/></LevelSets>"));
    ASSERT_EQ(1u, sets.GetCount());
    EXPECT_STREQ("Ok", sets.GetName(0).GetBuffer());
}

TEST(LevelSetListTest, MissingFileOrElementGivesAnEmptyList)
{
    CLevelSetList sets;
    sets.Parse(XString("<Set0 Name=\"Outside\" Description=\"No LevelSets element\"/>"));
    EXPECT_EQ(0u, sets.GetCount());
    sets.Parse(XString("<LevelSets><Set0 Name=\"A\" Description=\"B\"/></LevelSets>"));
    sets.Read(XString("/nonexistent/folder/"));
    EXPECT_EQ(0u, sets.GetCount()) << "a failed read must not keep the last list";
}

} // namespace
