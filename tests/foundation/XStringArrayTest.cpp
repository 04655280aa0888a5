// Tests of XStringArray: adding plain texts, copying and the empty error text.
#include <gtest/gtest.h>

#include <string>

#include "foundation/XStringArray.h"

TEST(XStringArray, AddsTextsAndCopiesElements)
{
    XStringArray names;
    unsigned first = 0;
    names.Add("alpha");
    names.Add("beta", 2, &first);
    names.Add(XString("gamma"));
    names.Add(static_cast<const char*>(nullptr));
    EXPECT_EQ(1u, first);
    ASSERT_EQ(5u, names.GetCount());
    EXPECT_TRUE(names.Get(2) == "beta");
    EXPECT_TRUE(names.Get(3) == "gamma");
    EXPECT_TRUE(names.Get(4).IsEmpty());
    EXPECT_STREQ("", names.GetErrorMsg());

    names.Remove(0);
    XStringArray copy;
    copy.Add("old");
    copy = names;
    ASSERT_EQ(4u, copy.GetCount());
    EXPECT_TRUE(copy.Get(0) == "beta");
    names.Get(0) = "changed";
    EXPECT_TRUE(copy.Get(0) == "beta") << "a copy owns its strings";
    XStringArray constructed(copy);
    EXPECT_EQ(4u, constructed.GetCount());
    EXPECT_STREQ("", constructed.GetErrorMsg());
}
