// Text entry of the prompts: character classes, length limits and the editing keys.
#include "screens/CGameMenu.h"
#include "screens/CTextEntry.h"

#include <gtest/gtest.h>

#include <string>

namespace
{

using CharClass = CTextEntry::CharClass;

void TypeAll(CTextEntry& entry, const std::string& text)
{
    for (char c : text)
        entry.Type(c);
}

TEST(TextEntryTest, ClassesAdmitTheirCharactersOnly)
{
    for (char c : std::string("aZ09 ~!@#$%^&()-_+=[]{},.;`'"))
    {
        EXPECT_TRUE(CTextEntry::Accepts(CharClass::kFileName, c)) << c;
        EXPECT_TRUE(CTextEntry::Accepts(CharClass::kFreeText, c)) << c;
    }
    for (char c : std::string("*:|\\/?\""))
    {
        EXPECT_FALSE(CTextEntry::Accepts(CharClass::kFileName, c)) << c;
        EXPECT_TRUE(CTextEntry::Accepts(CharClass::kFreeText, c)) << c;
    }
    // A level's name and objective go into its document, where "<" and ">" could form a tag.
    for (char c : std::string("<>\t\r\n\x01\x80"))
        EXPECT_FALSE(CTextEntry::Accepts(CharClass::kFreeText, c)) << int(c);
    EXPECT_TRUE(CTextEntry::Accepts(CharClass::kDigits, '7'));
    EXPECT_FALSE(CTextEntry::Accepts(CharClass::kDigits, 'a'));
    EXPECT_FALSE(CTextEntry::Accepts(CharClass::kDigits, '-'));
}

TEST(TextEntryTest, EachPromptHasItsLimitAndClass)
{
    unsigned max = 0;
    CharClass charClass = CharClass::kFreeText;
    ASSERT_TRUE(CGameMenu::EntryRules(MenuMode::EditLevelName, max, charClass));
    EXPECT_EQ(40u, max);
    ASSERT_TRUE(CGameMenu::EntryRules(MenuMode::EditObjective, max, charClass));
    EXPECT_EQ(300u, max);
    EXPECT_EQ(CharClass::kFreeText, charClass);
    ASSERT_TRUE(CGameMenu::EntryRules(MenuMode::EditTime, max, charClass));
    EXPECT_EQ(4u, max);
    EXPECT_EQ(CharClass::kDigits, charClass);
    ASSERT_TRUE(CGameMenu::EntryRules(MenuMode::SaveGame, max, charClass));
    EXPECT_EQ(40u, max);
    EXPECT_EQ(CharClass::kFileName, charClass);
    EXPECT_FALSE(CGameMenu::EntryRules(MenuMode::LoadGame, max, charClass));
    EXPECT_FALSE(CGameMenu::EntryRules(MenuMode::Help, max, charClass));
}

TEST(TextEntryTest, TheLimitStopsCharactersAndLineBreaksThatWouldCrossIt)
{
    CTextEntry name(CharClass::kFreeText, 40, XString());
    TypeAll(name, std::string(41, 'a'));
    EXPECT_EQ(40u, name.GetText().GetLength());

    CTextEntry objective(CharClass::kFreeText, 300, XString(std::string(299, 'o').c_str()));
    objective.InsertLineBreak();
    EXPECT_EQ(299u, objective.GetText().GetLength()) << "half a line break must not be stored";
    objective.Type('x');
    objective.InsertLineBreak();
    objective.Type('y');
    EXPECT_EQ(300u, objective.GetText().GetLength());

    CTextEntry file(CharClass::kFileName, 40, XString());
    file.InsertLineBreak();
    EXPECT_TRUE(file.GetText().IsEmpty());
}

TEST(TextEntryTest, EditingKeysWorkAtTheCursor)
{
    CTextEntry entry(CharClass::kFreeText, 40, XString("abcd"));
    EXPECT_EQ(4u, entry.GetCursor());
    entry.MoveLeft();
    entry.MoveLeft();
    entry.Type('X');
    EXPECT_STREQ("abXcd", entry.GetText().GetBuffer());
    entry.Type(CTextEntry::kDelete);
    EXPECT_STREQ("abXd", entry.GetText().GetBuffer());
    entry.Type(CTextEntry::kBackspace);
    EXPECT_STREQ("abd", entry.GetText().GetBuffer());
    EXPECT_STREQ("ab|d", entry.WithCursor().GetBuffer());

    entry.MoveHome();
    entry.Type(CTextEntry::kBackspace);
    entry.MoveLeft();
    EXPECT_EQ(0u, entry.GetCursor());
    entry.MoveEnd();
    entry.Type(CTextEntry::kDelete);
    entry.MoveRight();
    EXPECT_STREQ("abd", entry.GetText().GetBuffer());
    EXPECT_EQ(3u, entry.GetCursor());

    entry.InsertLineBreak();
    EXPECT_EQ(5u, entry.GetCursor());
    entry.Type(CTextEntry::kBackspace);
    EXPECT_STREQ("abd", entry.GetText().GetBuffer()) << "a line break goes as a whole";
}

TEST(TextEntryTest, SaveNamesAndTimesAreNormalised)
{
    EXPECT_STREQ("My Game.dat", CGameMenu::SaveName(XString("  My Game  ")).GetBuffer());
    EXPECT_STREQ("Castle.DAT", CGameMenu::SaveName(XString("Castle.DAT")).GetBuffer());
    EXPECT_EQ(60, CGameMenu::ClampSeconds(XString("0")));
    EXPECT_EQ(60, CGameMenu::ClampSeconds(XString("")));
    EXPECT_EQ(9999, CGameMenu::ClampSeconds(XString("9999")));
    EXPECT_EQ(245, CGameMenu::ClampSeconds(XString("245")));
}

} // namespace
