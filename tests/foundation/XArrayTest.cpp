// Tests of XArray: growth, lazy removal through the index, packing, sorting and copying.
#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "foundation/XArray.h"
#include "foundation/XException.h"
#include "foundation/XString.h"

namespace
{
std::vector<int> Contents(const XArray<int>& a)
{
    std::vector<int> out;
    for (unsigned i = 0; i < a.GetCount(); ++i)
        out.push_back(a.Get(i));
    return out;
}

XArray<int> Make(std::initializer_list<int> values)
{
    XArray<int> a;
    for (int v : values)
        a.Add(v);
    return a;
}

int CompareInts(const void* a, const void* b)
{
    const int x = *static_cast<const int*>(a);
    const int y = *static_cast<const int*>(b);
    return x < y ? -1 : (x > y ? 1 : 0);
}

int CompareStrings(const void* a, const void* b)
{
    return static_cast<const XString*>(a)->Compare(*static_cast<const XString*>(b));
}

using V = std::vector<int>;
} // namespace

TEST(XArray, AdaptiveAndFixedGrowth)
{
    XArray<int> a;
    a.GrowArray(1);
    EXPECT_EQ(130u, a.GetCapacity());
    a.Add(0, 130);
    EXPECT_EQ(130u, a.GetCapacity());
    a.Add(1);
    EXPECT_EQ(390u, a.GetCapacity());

    XArray<int> stepped;
    stepped.SetGrowthStep(10);
    unsigned first = 99;
    stepped.Add(5, 3, &first);
    EXPECT_EQ(0u, first);
    EXPECT_EQ(13u, stepped.GetCapacity());
    stepped.Add(6, 0, &first);
    EXPECT_EQ(0u, first) << "times 0 does nothing";
    EXPECT_EQ(3u, stepped.GetCount());
}

TEST(XArray, LazyRemovalKeepsOrderAndSurvivesAdd)
{
    XArray<int> a = Make({'a', 'b', 'c', 'd', 'e'});
    a.Remove(1, 2);
    EXPECT_EQ(3u, a.GetCount());
    EXPECT_EQ(V({'a', 'd', 'e'}), Contents(a));

    XArray<int> b = Make({1, 2, 3, 4});
    b.Remove(1);
    b.Add(9);
    EXPECT_EQ(V({1, 3, 4, 9}), Contents(b));

    XArray<int> c = Make({1, 2, 3});
    c.Remove(1, 50);
    EXPECT_EQ(V({1}), Contents(c)) << "a count past the end is clipped";
    c.Remove(0, 0);
    EXPECT_EQ(V({1}), Contents(c));
}

TEST(XArray, SecondRemovalBeforeApplyingHitsTheRightElement)
{
    XArray<int> a = Make({'a', 'b', 'c', 'd'});
    a.Remove(0);
    a.Remove(2); // logical 2 is now 'd', not 'c'
    EXPECT_EQ(V({'b', 'c'}), Contents(a));

    XArray<int> b = Make({0, 1, 2, 3, 4, 5, 6, 7});
    b.Remove(5);
    b.Remove(1, 2);
    b.Remove(2);
    EXPECT_EQ(V({0, 3, 6, 7}), Contents(b));
}

TEST(XArray, RandomEditsMatchAVector)
{
    std::mt19937 random(7);
    XArray<int> a;
    std::vector<int> model;
    for (int step = 0; step < 4000; ++step)
    {
        const unsigned op = random() % 10;
        if (op < 5 || model.empty())
        {
            const unsigned times = 1 + random() % 3;
            a.Add(step, times);
            model.insert(model.end(), times, step);
        }
        else if (op < 9)
        {
            const unsigned index = random() % model.size();
            const unsigned count = 1 + random() % 4;
            a.Remove(index, count);
            model.erase(model.begin() + index, model.begin() + std::min<size_t>(model.size(), index + count));
        }
        else
        {
            ASSERT_EQ(model, Contents(a)) << "after step " << step;
        }
        ASSERT_EQ(model.size(), a.GetCount());
    }
    EXPECT_EQ(model, Contents(a));
}

TEST(XArray, OutOfRangeThrowsCodeTwo)
{
    XArray<int> a = Make({1});
    try
    {
        a.Get(1);
        FAIL() << "Get past the end did not throw";
    }
    catch (const XException& e)
    {
        EXPECT_EQ(XEXC_INDEX_RANGE, e.GetCode());
        EXPECT_STREQ("Exception(Quellib): Class XArray, Msg=in Get could not obtain out of range index.",
                     e.GetMessage());
    }
    try
    {
        a.Remove(1);
        FAIL() << "Remove past the end did not throw";
    }
    catch (const XException& e)
    {
        EXPECT_STREQ("Exception(Quellib): Class XArray, Msg=in Remove could not remove the data for an out "
                     "of range index.",
                     e.GetMessage());
    }
}

TEST(XArray, SortThenRemoveGivesSortedSurvivors)
{
    XArray<int> a = Make({5, 3, 9, 1, 7});
    a.Remove(0);
    a.Sort(CompareInts);
    EXPECT_EQ(V({1, 3, 7, 9}), Contents(a));
    a.Remove(1);
    EXPECT_EQ(V({1, 7, 9}), Contents(a));
    a.Pack();
    EXPECT_EQ(V({1, 7, 9}), Contents(a));
}

TEST(XArray, StringsSurviveGrowthSortAndCopy)
{
    XArray<XString> a;
    std::vector<std::string> model;
    for (int i = 0; i < 300; ++i)
    {
        // Long enough to live on the heap, so relocation must carry the buffer pointer along.
        std::string text = std::to_string((i * 37) % 300) + std::string(80, 'x');
        a.Add(XString(text.c_str()));
        model.push_back(text);
    }
    a.Remove(10, 5);
    model.erase(model.begin() + 10, model.begin() + 15);
    a.Sort(CompareStrings);
    std::sort(model.begin(), model.end());
    ASSERT_EQ(model.size(), a.GetCount());
    for (unsigned i = 0; i < a.GetCount(); ++i)
        ASSERT_EQ(model[i], std::string(a.Get(i).GetBuffer(), a.Get(i).GetLength()));

    // Adding an element of the same array across a growth must copy it before the slots move.
    const std::string firstText(a.Get(0).GetBuffer());
    a.Add(a.Get(0), 400);
    EXPECT_EQ(firstText, std::string(a.Get(a.GetCount() - 1).GetBuffer()));
    a.Remove(a.GetCount() - 400, 400);

    XArray<XString> copy;
    copy.Add(XString("discarded"));
    copy = a;
    const XArray<XString>& self = copy;
    copy = self;
    ASSERT_EQ(a.GetCount(), copy.GetCount());
    EXPECT_TRUE(copy.Get(7) == a.Get(7));
    a.Free();
    EXPECT_EQ(0u, a.GetCount());
    EXPECT_EQ(0u, a.GetCapacity());
    EXPECT_EQ(model[7], std::string(copy.Get(7).GetBuffer()));
}
