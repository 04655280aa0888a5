// Tests of XString comparing, searching, extracting and splitting.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "foundation/XException.h"
#include "foundation/XString.h"
#include "foundation/XStringArray.h"

namespace
{
std::string Str(const XString& s)
{
    return std::string(s.GetBuffer(), s.GetLength());
}
} // namespace

TEST(XStringCompare, OrderLengthsCountAndIndexes)
{
    const XString abc("abc");
    EXPECT_EQ(0, abc.Compare("abc"));
    EXPECT_EQ(-1, abc.Compare("abd"));
    EXPECT_EQ(1, XString("\xE0").Compare("a")) << "bytes compare unsigned";
    EXPECT_EQ(-1, abc.Compare("abcd"));
    EXPECT_EQ(1, abc.Compare("ab"));
    EXPECT_EQ(0, abc.Compare("abcd", 0, 0, 3)) << "count stops before the length difference";
    EXPECT_EQ(0, abc.Compare("xbc", 1, 1));
    EXPECT_EQ(0, abc.Compare("zzbc", 2, 1, 2));
    EXPECT_EQ(0, XString("").Compare(""));
    EXPECT_EQ(-1, XString("").Compare("a"));
    EXPECT_EQ(1, abc.Compare(""));
    EXPECT_EQ(0, abc.Compare(XString("abc")));

    try
    {
        (void)abc.Compare("abc", 0, 3);
        FAIL() << "source index past the end did not throw";
    }
    catch (const XException& e)
    {
        EXPECT_EQ(XEXC_INDEX_RANGE, e.GetCode());
        EXPECT_STREQ("Exception(Quellib): Class XString, Msg=in Compare uiSrcIndex is an invalid index past "
                     "the end of the source string length.",
                     e.GetMessage());
    }
    try
    {
        (void)abc.CompareNoCase("abc", 5);
        FAIL() << "compare-to index past the end did not throw";
    }
    catch (const XException& e)
    {
        EXPECT_STREQ("Exception(Quellib): Class XString, Msg=in CompareNoCase uiCompareToIndex is an invalid "
                     "index past the end of the compare to string length.",
                     e.GetMessage());
    }
    // An index into an empty text is not an error and compares as empty.
    EXPECT_EQ(-1, XString("").Compare("a", 0, 4));
}

TEST(XStringCompare, NoCaseReturnsTheRuntimeDifference)
{
    EXPECT_EQ(0, XString("HeLLo").CompareNoCase("hello"));
    EXPECT_EQ('a' - 'c', XString("a").CompareNoCase("C"));
    EXPECT_EQ(-1, XString("ab").CompareNoCase("ABC"));
}

TEST(XStringCompare, StartsAndEndsWith)
{
    const XString path("C:\\Dir\\File.TXT");
    EXPECT_TRUE(path.StartsWith('C'));
    EXPECT_TRUE(path.EndsWith('T'));
    EXPECT_FALSE(path.EndsWith('\0'));
    EXPECT_FALSE(XString("").StartsWith('a'));
    EXPECT_TRUE(path.StartsWith("C:\\"));
    EXPECT_FALSE(path.StartsWith(""));
    EXPECT_FALSE(path.EndsWith(static_cast<const char*>(nullptr)));
    EXPECT_FALSE(path.EndsWith(".txt"));
    EXPECT_TRUE(path.EndsWithNoCase(".txt"));
    EXPECT_TRUE(path.StartsWithNoCase("c:\\dir"));
    EXPECT_FALSE(XString("ab").EndsWith("xab"));
    EXPECT_TRUE("abc" != XString("abd"));
}

TEST(XStringFind, ForwardWindowsAndEdges)
{
    const XString s("abcabc");
    EXPECT_EQ(-1, XString("abc").Find('x', 10));
    EXPECT_EQ(3, s.Find('a', 1));
    EXPECT_EQ(-1, s.Find('c', 0, 2));
    EXPECT_EQ(-1, s.Find('a', 0, 0));
    EXPECT_EQ(3, s.Find("abc", 1));
    EXPECT_EQ(-1, s.Find("abc", 1, 4)) << "the match must lie wholly inside the window";
    EXPECT_EQ(-1, s.Find(static_cast<const char*>(nullptr)));
    EXPECT_EQ(-1, s.Find(""));
    EXPECT_EQ(1, s.FindNoCase("BCA"));
    EXPECT_TRUE(s.Contains('c'));
    EXPECT_TRUE(s.ContainsNoCase("CAB"));
    EXPECT_FALSE(s.Contains("cc"));
}

// Short windows are scanned from one first character to the next, long ones handed to memmem:
// both must find the same first match as a plain search, embedded NULs included.
TEST(XStringFind, ShortAndLongWindowsFindTheFirstMatch)
{
    std::string text;
    for (int i = 0; i < 3000; ++i)
        text += "<a_" + std::to_string(i % 97) + std::string(1, '\0') + ">";
    XString s;
    s.SetData(text.data(), static_cast<int>(text.size()));
    ASSERT_EQ(text.size(), s.GetLength());
    const char* needles[] = {"<a_96", "_5", "<a_1", ">", "<a_960", "a_42", "<a_0"};
    const unsigned starts[] = {0, 1, 7, 500, 4000, 20000};
    const unsigned counts[] = {5, 64, 4095, 4096, 5000, XSTR_ALL};
    for (const char* needle : needles)
        for (unsigned start : starts)
            for (unsigned count : counts)
            {
                const size_t end = std::min<size_t>(text.size(), size_t(start) + count);
                const size_t found = start < end ? text.substr(0, end).find(needle, start) : std::string::npos;
                const int expected = found == std::string::npos ? -1 : int(found);
                EXPECT_EQ(expected, s.Find(needle, start, count)) << needle << " from " << start << " in " << count;
            }
}

TEST(XStringFind, BackwardSetsAndCounts)
{
    const XString s("a.b.c");
    EXPECT_EQ(-1, XString("").FindRev('x'));
    EXPECT_EQ(3, s.FindRev('.'));
    EXPECT_EQ(1, s.FindRev('.', 2));
    EXPECT_EQ(-1, s.FindRev('.', 4, 1));
    EXPECT_EQ(2, XString("xxabab").FindRev("ab", 4));
    EXPECT_EQ(4, XString("xxabab").FindRev("ab"));
    EXPECT_EQ(-1, XString("xxabab").FindRev("ab", 5, 1));
    EXPECT_EQ(-1, s.FindRev(""));

    unsigned which = 99;
    EXPECT_EQ(1, s.FindOneOf("c.", 0, XSTR_ALL, &which));
    EXPECT_EQ(1u, which);
    EXPECT_EQ(-1, s.FindOneOf("xyz"));
    EXPECT_EQ(2, XString("..B").FindOneOfNoCase("qb", 0, XSTR_ALL, &which));
    EXPECT_EQ(1u, which);
    EXPECT_EQ(2u, s.Count('.'));
    EXPECT_EQ(1u, s.Count('.', 1, 0));
    EXPECT_EQ(1u, s.Count('.', 5, 2));
    EXPECT_EQ(0u, s.Count('.', 5, 9));
}

TEST(XStringExtract, SubAndFindFamilies)
{
    const XString s("abcdef");
    EXPECT_EQ("", Str(XString("abcde").Sub(5)));
    EXPECT_EQ("cdef", Str(s.Sub(2, 100)));
    EXPECT_EQ("", Str(s.Sub(1, 0)));

    XString& first = s.Sub(0, 2);
    EXPECT_EQ("ab", Str(first));
    s.Sub(4);
    EXPECT_EQ("ef", Str(first)) << "the scratch result is overwritten by the next call";

    EXPECT_EQ("file.txt", Str(XString("C:\\dir\\file.txt").SubEndFindRev('\\')));
    EXPECT_EQ("file.txt", Str(XString("file.txt").SubEndFindRev('\\')));
    EXPECT_EQ("c", Str(XString("a::b::c").SubEndFindRev("::")));
    EXPECT_EQ("abc", Str(XString("abc").SubEndFindRev("::")));
    EXPECT_EQ("key", Str(XString("key=value=x").SubBegFindFwd('=')));
    EXPECT_EQ("value=x", Str(XString("key=value=x").SubEndFindFwd('=')));
    EXPECT_EQ("novalue", Str(XString("novalue").SubEndFindFwd('=')));
}

TEST(XStringExtract, BetweenMarkersAndSpans)
{
    const XString xml("x<a>1</a><a>2</a>");
    EXPECT_EQ("1", Str(xml.SubBetweenFwd("<a>", "</a>")));
    EXPECT_EQ("2", Str(xml.SubBetweenFwd("<a>", "</a>", 5)));
    EXPECT_EQ("", Str(XString("x<a>1").SubBetweenFwd("<a>", "</a>")));
    EXPECT_EQ("", Str(xml.SubBetweenFwd(nullptr, "</a>")));
    EXPECT_EQ("", Str(xml.SubBetweenFwd("<a>", "</a>", 99)));
    EXPECT_EQ("1", Str(xml.SubBetweenFwd(XString("<a>"), XString("</a>"))));
    // The end marker is looked for after the whole begin marker, never overlapping it.
    EXPECT_EQ("", Str(XString("aab").SubBetweenFwd("aa", "")));
    EXPECT_EQ("", Str(XString("aaa").SubBetweenFwd("aa", "a")));
    EXPECT_EQ("x", Str(XString("aaxa").SubBetweenFwd("aa", "a")));

    // A marker taken from the same string's scratch result is read before the scratch is reset.
    const XString doc("<b>in</b>");
    XString& marker = doc.Sub(0, 3);
    EXPECT_EQ("in", Str(doc.SubBetweenFwd(marker.GetBuffer(), "</b>")));

    const XString line("name: value; rest");
    EXPECT_EQ("name", Str(line.SpanFwdExcluding(":;")));
    EXPECT_EQ(" value", Str(line.SpanFwdExcluding(";", 5)));
    EXPECT_EQ("name", Str(line.SpanFwdExcluding("xyz", 0, 4)));
    EXPECT_EQ("", Str(line.SpanFwdExcluding(nullptr)));
    EXPECT_EQ("AbC", Str(XString("AbC1").SpanFwdIncludingNoCase("abc")));
    EXPECT_EQ("", Str(XString("abc").SpanFwdIncludingNoCase("ABC"))) << "upper case admits only itself";
    EXPECT_EQ("12", Str(XString("1234").SpanFwdIncludingNoCase("0123456789", 0, 2)));
    EXPECT_EQ("", Str(XString("1234").SpanFwdIncludingNoCase("")));
}

TEST(XStringSplit, PiecesBetweenSeparators)
{
    auto parts = [](const char* text, unsigned maxParts) {
        std::vector<std::string> out;
        const XString s(text);
        XStringArray& a = s.Split(',', maxParts);
        for (unsigned i = 0; i < a.GetCount(); ++i)
            out.push_back(Str(a.Get(i)));
        return out;
    };
    using V = std::vector<std::string>;
    EXPECT_EQ(V({""}), parts("", 0));
    EXPECT_EQ(V({"a", "", "b"}), parts("a,,b", 0));
    EXPECT_EQ(V({"a", "b", ""}), parts("a,b,", 0));
    EXPECT_EQ(V({"a", "b"}), parts("a,b,c", 2));
    EXPECT_EQ(V({"abc"}), parts("abc", 0));

    const XString s("1,2");
    XStringArray& first = s.Split(',');
    s.Split('x');
    EXPECT_EQ(1u, first.GetCount()) << "the split result is overwritten by the next Split";
}
