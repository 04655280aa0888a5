// Tests of XException: the message layout, the length limit, categories and rethrown codes.
#include <gtest/gtest.h>

#include <string>

#include "foundation/XException.h"
#include "foundation/XString.h"

TEST(XException, MessageNamesClassAndMessageAndAppendsInnerText)
{
    const XException plain(XEXC_INDEX_RANGE, "XString", "in [] index out of range.");
    EXPECT_STREQ("Exception(Quellib): Class XString, Msg=in [] index out of range.", plain.GetMessage());
    EXPECT_EQ(2u, plain.GetCode());
    EXPECT_EQ(std::string(plain.GetMessage()).size(), plain.GetLength());

    const XException nulls(7, nullptr, nullptr, nullptr);
    EXPECT_STREQ("Exception(Quellib): Class NULL, Msg=NULL", nulls.GetMessage());

    const XException emptyInner(1, "XArray", "in x.", "");
    EXPECT_STREQ("Exception(Quellib): Class XArray, Msg=in x.", emptyInner.GetMessage());

    const XException nested(1, "XString", "in Insert failed. Msg=", plain.GetMessage());
    EXPECT_STREQ("Exception(Quellib): Class XString, Msg=in Insert failed. Msg=Exception(Quellib): Class "
                 "XString, Msg=in [] index out of range.",
                 nested.GetMessage());

    const XException empty;
    EXPECT_STREQ("", empty.GetMessage());
    EXPECT_EQ(0u, empty.GetCode());
}

TEST(XException, OverlongMessageIsCutAt2047Characters)
{
    const std::string longText(5000, 'm');
    const XException e(1, "XString", longText.c_str(), longText.c_str());
    EXPECT_EQ(2047u, e.GetLength());
    EXPECT_EQ(2047u, std::string(e.GetMessage()).size());
    EXPECT_EQ('m', e.GetMessage()[2046]);
}

TEST(XException, CategoriesSplitAtFiveThousand)
{
    for (uint32_t code : {1u, 2u, 3u})
    {
        EXPECT_TRUE(XException(code, "X", "m").InCategory(0)) << code;
        EXPECT_FALSE(XException(code, "X", "m").InCategory(1)) << code;
    }
    const XException format(XEXC_BAD_FORMAT, "X", "m");
    EXPECT_FALSE(format.InCategory(0));
    EXPECT_TRUE(format.InCategory(1));
    EXPECT_TRUE(XException(5999, "X", "m").InCategory(1));
    EXPECT_FALSE(XException(6000, "X", "m").InCategory(1));
    for (uint32_t code : {1u, 5019u})
        EXPECT_FALSE(XException(code, "X", "m").InCategory(2));
}

TEST(XException, RethrownFailureKeepsInnerCodeAndReadsOutwardsToInwards)
{
    XString text("abc");
    try
    {
        // A run ending past 4 GiB cannot be allocated: the inner MakeSize failure is wrapped by Set.
        text.Set('x', 1, 0xFFFFFFFFu);
        FAIL() << "Set of a 4 GiB run did not throw";
    }
    catch (const XException& e)
    {
        EXPECT_EQ(XEXC_OUT_OF_MEMORY, e.GetCode());
        EXPECT_STREQ("Exception(Quellib): Class XString, Msg=in Set MakeSize failed. Msg=Exception(Quellib): "
                     "Class XString, Msg=in MakeSize could not allocate memory for temporary buffer.",
                     e.GetMessage());
    }
    EXPECT_TRUE(text == "abc") << "a failed Set must leave the text intact";
}
