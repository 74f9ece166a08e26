// Bounded copies and formats cut instead of overrunning.
#include "foundations/text.h"

#include <gtest/gtest.h>

TEST(BoundedText, CopyCutsAndTerminates)
{
    char small[4];
    EXPECT_EQ(3u, CopyText(small, "abcdef"));
    EXPECT_STREQ("abc", small);
    EXPECT_EQ(2u, CopyText(small, "ab"));
    EXPECT_STREQ("ab", small);
}

TEST(BoundedText, AppendAndFormatStayInside)
{
    char buffer[8] = "abc";
    EXPECT_EQ(7u, AppendText(buffer, "defghij"));
    EXPECT_STREQ("abcdefg", buffer);
    EXPECT_EQ(7u, FormatText(buffer, sizeof buffer, "%d-%s", 12345, "xyz"));
    EXPECT_STREQ("12345-x", buffer);
    EXPECT_TRUE(FitsText("1234567", 8));
    EXPECT_FALSE(FitsText("12345678", 8));
}
