// Tests of XString in-place editing: setting, deleting, trimming, replacing and case.
#include <gtest/gtest.h>

#include <string>

#include "foundation/XException.h"
#include "foundation/XString.h"

namespace
{
std::string Str(const XString& s)
{
    return std::string(s.GetBuffer(), s.GetLength());
}
} // namespace

TEST(XStringEdit, SetWritesRunsTruncatesAndRejectsGaps)
{
    XString s("abc");
    s.Set('x', 1, 4);
    EXPECT_EQ("axxxx", Str(s));
    s.Set('\0', 2);
    EXPECT_EQ("ax", Str(s));
    s.Set('y', 0, 0);
    EXPECT_EQ("ax", Str(s));
    try
    {
        s.Set('z', 2);
        FAIL() << "Set at the end did not throw";
    }
    catch (const XException& e)
    {
        EXPECT_EQ(XEXC_INDEX_RANGE, e.GetCode());
        EXPECT_STREQ("Exception(Quellib): Class XString, Msg=in Set index out of range.", e.GetMessage());
    }
    XString empty;
    empty.Set('-', 0, 70);
    EXPECT_EQ(std::string(70, '-'), Str(empty));
    XString gap;
    EXPECT_THROW(gap.Set('-', 3, 2), XException) << "an empty string must not grow with a hole";
    EXPECT_TRUE(gap.IsEmpty());
}

TEST(XStringEdit, IndexingIsChecked)
{
    XString s("ab");
    s[1] = 'c';
    s[0u] = 'x';
    EXPECT_EQ("xc", Str(s));
    EXPECT_THROW(s[2], XException);
    EXPECT_THROW(s[-1], XException);
    const XString& c = s;
    EXPECT_EQ('c', c[1]);
    try
    {
        (void)c[5];
        FAIL();
    }
    catch (const XException& e)
    {
        EXPECT_STREQ("Exception(Quellib): Class XString, Msg=in [] index out of range.", e.GetMessage());
    }
}

TEST(XStringEdit, DeletingCuttingAndTrimming)
{
    XString s("0123456789");
    s.Delete(2, 3);
    EXPECT_EQ("0156789", Str(s));
    s.Delete(5, 100);
    EXPECT_EQ("01567", Str(s));
    s.Delete(9, 1);
    s.Truncate(3);
    EXPECT_EQ("015", Str(s));

    XString path("C:\\a\\b.txt");
    path.CutAtLast('\\');
    EXPECT_EQ("C:\\a", Str(path));
    path.CutAtLast('#');
    EXPECT_EQ("C:\\a", Str(path));

    XString padded("--x-y--");
    padded.Trim('-');
    EXPECT_EQ("x-y", Str(padded));
    XString all("////");
    all.TrimLeft('/');
    EXPECT_TRUE(all.IsEmpty());

    XString name("a.txt.TXT");
    name.TrimRightNoCase(".txt");
    EXPECT_EQ("a", Str(name));

    XString runs("a//b///c/");
    runs.CollapseRuns('/');
    EXPECT_EQ("a/b/c/", Str(runs));
    runs.RemoveChar('/');
    EXPECT_EQ("abc", Str(runs));
}

TEST(XStringEdit, ReplacingCharactersAndTexts)
{
    XString s("a.B.b");
    s.ReplaceCharNoCase('b', 'x');
    EXPECT_EQ("a.x.x", Str(s));
    s.ReplaceChar('.', '/');
    EXPECT_EQ("a/x/x", Str(s));

    XString path("a/b/c/d");
    path.ReplaceFwd('/', "\\\\", 2, 2);
    EXPECT_EQ("a/b\\\\c\\\\d", Str(path));
    XString unchanged("abc");
    unchanged.ReplaceFwd('x', "yy");
    unchanged.ReplaceFwd('a', nullptr);
    EXPECT_EQ("abc", Str(unchanged));
    XString shrink("a,b,c");
    shrink.ReplaceFwd(',', "");
    EXPECT_EQ("abc", Str(shrink));

    XString rev("1,2,3,4");
    rev.ReplaceRev(',', ";", XSTR_ALL, 2);
    EXPECT_EQ("1,2;3;4", Str(rev));
    rev.ReplaceRev(',', "<>", 2);
    EXPECT_EQ("1<>2;3;4", Str(rev));

    XString dir("C:\\data\\");
    dir.ReplaceEndsWith('\\', "/");
    EXPECT_EQ("C:\\data/", Str(dir));
    dir.ReplaceEndsWith('\\', "/");
    EXPECT_EQ("C:\\data/", Str(dir));
}

TEST(XStringEdit, CaseAndReverse)
{
    XString s("MiXeD 1");
    s.MakeLower();
    EXPECT_EQ("mixed 1", Str(s));
    s.MakeUpper();
    EXPECT_EQ("MIXED 1", Str(s));
    s.Reverse();
    EXPECT_EQ("1 DEXIM", Str(s));
}
