// Tests of XString storage: inline and heap buffers, the growth policy, assignment, formatting.
#include <gtest/gtest.h>

#include <cstring>
#include <cwchar>
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

TEST(XStringStorage, GrowthPolicyGivesTheDocumentedCapacities)
{
    XString s;
    s.SetData(std::string(64, 'a').c_str());
    EXPECT_EQ(65u, s.GetCapacity()) << "64 characters still fit inline";

    s += 'b';
    // average (64 + 1) / 2 = 32.5; extra = (1 - 1/1 + 1) * 32.5 + 256 = 288; 64 + 288 + 1 + 1
    EXPECT_EQ(354u, s.GetCapacity());
    EXPECT_EQ(1u, s.GetReallocCount());
    EXPECT_EQ(65u, s.GetLength());
    EXPECT_EQ(std::string(64, 'a') + "b", Str(s));

    XString fresh;
    fresh.SetData(std::string(100, 'c').c_str());
    EXPECT_EQ(101u, fresh.GetCapacity()) << "SetData resets the statistics: no spare room";

    // Once on the heap, a short text stays there.
    fresh.SetData("x");
    EXPECT_EQ(101u, fresh.GetCapacity());
}

TEST(XStringStorage, ManySmallAppendsReallocateRarelyAndKeepEveryByte)
{
    XString s;
    std::string expected;
    for (int i = 0; i < 20000; ++i)
    {
        const char piece[] = "0123456789abcdef";
        s += piece;
        expected += piece;
    }
    EXPECT_EQ(expected, Str(s));
    EXPECT_EQ(20000u, s.GetAppendCount());
    EXPECT_LT(s.GetReallocCount(), 40u);
    EXPECT_GT(s.GetCapacity(), s.GetLength());
}

TEST(XStringStorage, NullArgumentsChangeNothingAndComparisonWithNullThrows)
{
    XString s("keep");
    s = static_cast<const char*>(nullptr);
    s += static_cast<const char*>(nullptr);
    s.Append(static_cast<const char*>(nullptr), 3);
    s.AppendData(nullptr, 4);
    EXPECT_EQ("keep", Str(s));
    try
    {
        (void)(s == static_cast<const char*>(nullptr));
        FAIL() << "comparing with NULL did not throw";
    }
    catch (const XException& e)
    {
        EXPECT_EQ(XEXC_NULL_POINTER, e.GetCode());
        EXPECT_STREQ("Exception(Quellib): Class XString, Msg=in == pcsz was passed in as a NULL pointer.",
                     e.GetMessage());
    }
    EXPECT_THROW((void)(s != static_cast<const char*>(nullptr)), XException);
    EXPECT_THROW((void)s.Compare(static_cast<const char*>(nullptr)), XException);
}

TEST(XStringStorage, SourcesInsideTheOwnBufferSurviveReallocation)
{
    XString s(std::string(60, 'q').c_str());
    s.SetData(s.GetBuffer(50));
    EXPECT_EQ(std::string(10, 'q'), Str(s));

    XString t("abcdefghij");
    for (int i = 0; i < 5; ++i)
        t += t;
    EXPECT_EQ(320u, t.GetLength());
    t.AppendData(t.GetBuffer(), t.GetLength());
    EXPECT_EQ(640u, t.GetLength());
    EXPECT_EQ(0, std::memcmp(t.GetBuffer(320), "abcdefghij", 10));

    XString u("0123456789");
    u.Insert(u.GetBuffer(), 5, 8);
    EXPECT_EQ(90u, u.GetLength());
    EXPECT_EQ("012340123456789", Str(u).substr(0, 15));

    XString f(std::string(70, 'z').c_str());
    f.Format("%s|%s", f.GetBuffer(), f.GetBuffer());
    EXPECT_EQ(std::string(70, 'z') + "|" + std::string(70, 'z'), Str(f));
}

TEST(XStringStorage, CopiesAndNumbersAndEmbeddedNuls)
{
    EXPECT_EQ("-42", Str(XString(-42)));
    EXPECT_EQ("4000000000", Str(XString(4000000000u)));
    XString s;
    s = int64_t(-9000000000);
    EXPECT_EQ("-9000000000", Str(s));

    XString binary;
    binary.AppendData("a\0b", 3);
    XString copy(binary);
    EXPECT_EQ(3u, copy.GetLength());
    EXPECT_TRUE(copy == binary);
    EXPECT_FALSE(copy == XString("a"));

    copy.Free();
    EXPECT_TRUE(copy.IsEmpty());
    EXPECT_STREQ("", copy.GetErrorMsg());
    EXPECT_EQ(65u, copy.GetCapacity());
}

TEST(XStringStorage, SyncLengthStopsAtTheFirstNul)
{
    XString s;
    s.MakeSize(200);
    std::strcpy(s.GetBuffer(), "written directly");
    s.SyncLength();
    EXPECT_EQ("written directly", Str(s));
}

TEST(XStringAppend, NumbersBooleansAndPrecision)
{
    XString s;
    s += 7;
    s += ',';
    s += 3000000000u;
    s += ',';
    s += uint64_t(18446744073709551615ull);
    s += ',';
    s += true;
    s += false;
    s += ',';
    s += 1.5;
    s.SetPrecision(2);
    s += ',';
    s += 2.0f / 3.0f;
    EXPECT_EQ("7,3000000000,18446744073709551615,truefalse,1.500000,0.67", Str(s));
    s.SetPrecision(-5);
    EXPECT_EQ(-1, s.GetPrecision());
}

TEST(XStringAppend, RepeatsLimitsAndConditionalForms)
{
    XString s;
    s.Append("abc", 3, 2);
    EXPECT_EQ("ababab", Str(s));
    s.Append('\0');
    s.Append('x', 0);
    s.Append('-', 3);
    EXPECT_EQ("ababab---", Str(s));
    s.AppendNoExist('-');
    s.AppendNoExist("--");
    EXPECT_EQ("ababab---", Str(s));
    s.AppendNoExistNoCase("X.TXT");
    s.AppendNoExistNoCase("x.txt");
    EXPECT_EQ("ababab---X.TXT", Str(s));

    XString pad("7");
    pad.PadLeft('0', 3);
    pad.Insert("ab", 99);
    pad.Insert('-', 1, 2);
    EXPECT_EQ("0--07ab", Str(pad));
}

TEST(XStringAppend, PlusReturnsTheScratchAndLeavesTheSourceAlone)
{
    const XString base("dir\\");
    XString& joined = base + "file.txt";
    EXPECT_EQ("dir\\file.txt", Str(joined));
    EXPECT_EQ("dir\\", Str(base));
    XString& again = base + nullptr;
    EXPECT_EQ(&joined, &again);
    EXPECT_EQ("dir\\", Str(again));

    const XString path("C:\\games\\level.dat");
    XString& doubled = path + path.SubEndFindRev('\\').GetBuffer();
    EXPECT_EQ("C:\\games\\level.datlevel.dat", Str(doubled));
}

TEST(XStringFormat, FormatsReplacesAppendsAndReportsBadFormats)
{
    XString s("old");
    s.Format("%d-%s", 12, "x");
    EXPECT_EQ("12-x", Str(s));
    s.FormatAppend("/%03u", 5u);
    EXPECT_EQ("12-x/005", Str(s));
    s.FormatAppend("%s", "");
    EXPECT_EQ("12-x/005", Str(s));
    s.Format("%s", "");
    EXPECT_EQ("", Str(s));

    // A wide argument that has no multibyte form makes the formatter fail.
    const wchar_t unpaired[] = {wchar_t(0xD800), 0};
    s = "kept";
    try
    {
        s.Format("%ls", unpaired);
        FAIL() << "bad format did not throw";
    }
    catch (const XException& e)
    {
        EXPECT_EQ(XEXC_BAD_FORMAT, e.GetCode());
        EXPECT_STREQ("Exception(Quellib): Class XString, Msg=in Format failed probably because of a bad "
                     "format string or an incorrect number of arguments.",
                     e.GetMessage());
    }
    EXPECT_EQ("kept", Str(s));
    try
    {
        s.FormatAppend("%ls", unpaired);
        FAIL() << "bad format did not throw";
    }
    catch (const XException& e)
    {
        EXPECT_EQ(XEXC_BAD_FORMAT, e.GetCode());
        EXPECT_NE(nullptr, std::strstr(e.GetMessage(), "in FormatAppend failed probably"));
    }
}

TEST(XStringConvert, NumbersTruthHashAndWideText)
{
    EXPECT_EQ(-17, XString("  -17abc").ToInt());
    EXPECT_EQ(45, XString("x=45").ToInt(2));
    EXPECT_EQ(0, XString("abc").ToInt());
    EXPECT_EQ(0, XString("5").ToInt(9));
    EXPECT_EQ(2147483647, XString("99999999999").ToInt());
    EXPECT_DOUBLE_EQ(2.5, XString(" 2.5e0").ToDouble());

    EXPECT_TRUE(XString("TRUE").IsTrue());
    EXPECT_TRUE(XString("trueish").IsTrue());
    EXPECT_TRUE(XString("is True").IsTrue(3));
    EXPECT_FALSE(XString("1").IsTrue());
    EXPECT_FALSE(XString("tru").IsTrue());

    EXPECT_EQ(0u, XString("").GetHash(1));
    // "ab": forward (2*131+97)*131+98 = 47127, backward (2*131+98)*131+97 = 47257
    EXPECT_EQ(94384u, XString("ab").GetHash(1));
    EXPECT_EQ(XString("ab").GetHash(1), XString("ba").GetHash(1));
    EXPECT_EQ(0u, XString("ab").GetHash(2));
    const std::string longText(1000, '\xff');
    const uint64_t longHash = XString(longText.c_str()).GetHash(1);
    EXPECT_LE(longHash, 2 * 0x7FFFFFFFFFFFFFFEull);

    // Windows-1252: 0x80 is the euro sign, 0xE9 is e acute; U+4E00 has no byte and becomes '?'.
    XString ansi("A\x80\xE9");
    const XBStr wide = ansi.ToBStrT();
    ASSERT_EQ(3u, wide.GetLength());
    EXPECT_EQ(u'\u20AC', wide.GetData()[1]);
    EXPECT_EQ(u'\u00E9', wide.GetData()[2]);
    EXPECT_EQ(1u, ansi.ToBStrT(2).GetLength());
    const XBStr shared = wide;
    EXPECT_EQ(2, wide.UseCount());

    XString back;
    back = XBStr(std::u16string(u"\u20AC\u4E00z"));
    EXPECT_EQ("\x80?z", Str(back));
}
