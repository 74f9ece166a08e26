// Which texts may be used as a printf format for the arguments a caller has.
#include "foundations/text.h"

#include <gtest/gtest.h>

TEST(FormatDirectivesAre, OnlyTheExpectedConversionsInOrder)
{
    const struct {
        const char* text;
        const char* conversions;
        bool usable;
    } kRows[] = {
        {"You have chosen to remove %s", "s", true},
        {"no directive at all", "", true},
        {"100%% sure: %s", "s", true},
        {"%-20s|%5.2d", "sd", true},
        {"%s and %d", "ds", false},              // order matters
        {"no directive at all", "s", false},     // an argument nobody prints is a sign of a wrong text
        {"%s %s %s %s %s %s %s %s %s %s %s %s", "s", false},
        {"%d", "s", false},
        {"%n", "s", false},                      // writes through an argument
        {"%s%n", "s", false},
        {"ends in a lone %", "", false},
        {"%*s", "s", false},                     // takes a width argument
        {"%.*s", "s", false},
        {"%ls", "s", false},                     // length modifiers change the argument type
        {"%lld", "d", false},
        {"%1$s", "s", false},
        {"%9999s", "s", false},                  // a width that large is no text of ours
        {"%.9999s", "s", false},
        {"%p", "s", false},
    };
    for (const auto& row : kRows) {
        SCOPED_TRACE(row.text);
        EXPECT_EQ(row.usable, FormatDirectivesAre(row.text, row.conversions));
    }
    EXPECT_FALSE(FormatDirectivesAre(nullptr, "s"));
}
