// Texts a registry value may override are formatted only when their directives are the
// expected ones.
#include "foundations/fill_memo.h"
#include "foundations/registry.h"
#include "foundations/strings.h"
#include "resource.h"
#include "support/testing.h"
#include "support/views.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

namespace {

std::string OverrideName(UINT id) { return "LString" + std::to_string(id); }

class OverriddenText : public ::testing::Test {
protected:
    SavedKey overrides_{HKEY_LOCAL_MACHINE, In32BitView(VIGILARK_KEY)};
    static std::string Formatted(const char* argument)
    {
        char text[1400];
        size_t length = FormatLoadedText(text, sizeof text, IDS_CONFIRM_REMOVE_STARTUP, "s", argument);
        EXPECT_EQ(strlen(text), length);
        return text;
    }
};

}  // namespace

TEST_F(OverriddenText, HostileOverridesFallBackToTheBuiltInText)
{
    const std::string builtIn = Formatted("C:\\app.exe");
    ASSERT_NE(std::string::npos, builtIn.find("C:\\app.exe"));

    const char* kHostile[] = {"%s %s %s %s %s %s %s %s %s %s %s %s", "%d", "%n%n%n", "100%", "%x%x%x%x", "%*s"};
    for (const char* hostile : kHostile) {
        SCOPED_TRACE(hostile);
        ASSERT_TRUE(PutRegString(HKEY_LOCAL_MACHINE, In32BitView(VIGILARK_KEY),
                                 OverrideName(IDS_CONFIRM_REMOVE_STARTUP).c_str(), hostile));
        EXPECT_EQ(builtIn, Formatted("C:\\app.exe"));
    }

    // An override with exactly the expected directive is the user's own wording.
    ASSERT_TRUE(PutRegString(HKEY_LOCAL_MACHINE, In32BitView(VIGILARK_KEY),
                             OverrideName(IDS_CONFIRM_REMOVE_STARTUP).c_str(), "Remove %s?%n100%% sure?"));
    EXPECT_EQ("Remove C:\\app.exe?\n100% sure?", Formatted("C:\\app.exe"));
}

TEST_F(OverriddenText, AFillReadsAnOverrideOnceAndEachCapacityGetsItsOwnCut)
{
    const std::string name = OverrideName(IDS_COL_TITLE);
    ASSERT_TRUE(PutRegString(HKEY_LOCAL_MACHINE, In32BitView(VIGILARK_KEY), name.c_str(), "Program name"));
    char cut[5], whole[64];
    {
        FillMemo memo;
        EXPECT_EQ(4, LoadText(IDS_COL_TITLE, cut));
        EXPECT_EQ(12, LoadText(IDS_COL_TITLE, whole));
        EXPECT_STREQ("Prog", cut);
        EXPECT_STREQ("Program name", whole);
        // Changed in the middle of a fill: the fill's rows stay alike.
        ASSERT_TRUE(PutRegString(HKEY_LOCAL_MACHINE, In32BitView(VIGILARK_KEY), name.c_str(), "Name"));
        LoadText(IDS_COL_TITLE, whole);
        EXPECT_STREQ("Program name", whole);
    }
    LoadText(IDS_COL_TITLE, whole);
    EXPECT_STREQ("Name", whole) << "the next fill reads the registry again";
}
