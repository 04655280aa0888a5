// Tests of XLinkList: cursor walks in every direction, removal and the cursor after it.
#include <gtest/gtest.h>

#include "foundation/XException.h"
#include "foundation/XLinkList.h"

namespace
{
void Fill(XLinkList<int>& list, int count)
{
    for (int i = 0; i < count; ++i)
        list.AddTail(i * 10);
}
} // namespace

TEST(XLinkList, GetWalksFromCursorHeadOrTail)
{
    XLinkList<int> list;
    Fill(list, 9);
    for (unsigned i = 0; i < 9; ++i)
        EXPECT_EQ(int(i) * 10, list.Get(i));
    EXPECT_EQ(0, list.Get(0));
    EXPECT_EQ(80, list.Get(8));
    EXPECT_EQ(0, list.Get(0));
    EXPECT_EQ(70, list.Get(7));
    EXPECT_EQ(50, list.Get(5));
    EXPECT_EQ(20, list.Get(2));
    try
    {
        list.Get(9);
        FAIL();
    }
    catch (const XException& e)
    {
        EXPECT_EQ(XEXC_INDEX_RANGE, e.GetCode());
        EXPECT_STREQ("Exception(Quellib): Class XLinkList, Msg=in Get index is out of range.", e.GetMessage());
    }
}

TEST(XLinkList, RemoveRelinksAndKeepsTheCursorValid)
{
    XLinkList<int> list;
    Fill(list, 5);
    EXPECT_EQ(20, list.Remove(2));
    EXPECT_EQ(30, list.Get(2)) << "the successor now has the removed index";
    EXPECT_EQ(40, list.Remove(3));
    EXPECT_EQ(30, list.Get(2)) << "removing the tail leaves the cursor on the new tail";
    EXPECT_EQ(0, list.Remove(0));
    EXPECT_EQ(2u, list.GetCount());
    EXPECT_EQ(10, list.Get(0));
    EXPECT_EQ(30, list.Get(1));
    EXPECT_THROW(list.Remove(2), XException);

    EXPECT_EQ(30, list.RemoveTail());
    EXPECT_EQ(10, list.RemoveHead());
    EXPECT_EQ(0u, list.GetCount());
    EXPECT_EQ(0, list.RemoveHead());
    EXPECT_EQ(0, list.RemoveTail());

    list.AddTail(7);
    EXPECT_EQ(7, list.Remove(0));
    EXPECT_EQ(0u, list.GetCount());
    list.AddTail(8);
    EXPECT_EQ(8, list.Get(0));
}

TEST(XLinkList, RemoveAllEmptiesAndTheListIsReusable)
{
    XLinkList<void*> pointers;
    int a = 1;
    int b = 2;
    pointers.AddTail(&a);
    pointers.AddTail(&b);
    EXPECT_EQ(&b, pointers.Get(1));
    pointers.RemoveAll();
    EXPECT_EQ(0u, pointers.GetCount());
    EXPECT_EQ(nullptr, pointers.RemoveHead());
    pointers.AddTail(&a);
    EXPECT_EQ(&a, pointers.Get(0));
}
