// Texts a registry value may override: formatted only with the expected directives, and read
// once a fill.
#include "foundations/entries.h"
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

class OverriddenText : public ::testing::Test {
protected:
    static bool Override(UINT id, const char* text)
    {
        return PutRegString(HKEY_LOCAL_MACHINE, In32BitView(VIGILARK_KEY), ("LString" + std::to_string(id)).c_str(), text);
    }
    static std::string Formatted(const char* argument)
    {
        char text[1400];
        size_t length = FormatLoadedText(text, sizeof text, IDS_CONFIRM_REMOVE_STARTUP, "s", argument);
        EXPECT_EQ(strlen(text), length);
        return text;
    }
    SavedKey overrides_{HKEY_LOCAL_MACHINE, In32BitView(VIGILARK_KEY)};
};

}  // namespace

TEST_F(OverriddenText, HostileOverridesFallBackToTheBuiltInTextAndAFillReadsAnOverrideOnce)
{
    const std::string builtIn = Formatted("C:\\app.exe");
    ASSERT_NE(std::string::npos, builtIn.find("C:\\app.exe"));
    for (const char* hostile : {"%s %s %s %s %s %s %s %s %s %s %s %s", "%d", "%n%n%n", "100%", "%x%x%x%x", "%*s"}) {
        ASSERT_TRUE(Override(IDS_CONFIRM_REMOVE_STARTUP, hostile));
        EXPECT_EQ(builtIn, Formatted("C:\\app.exe")) << hostile;
    }
    ASSERT_TRUE(Override(IDS_CONFIRM_REMOVE_STARTUP, "Remove %s?%n100%% sure?"));  // the user's own wording
    EXPECT_EQ("Remove C:\\app.exe?\n100% sure?", Formatted("C:\\app.exe"));

    // A fill reads an override once, and each capacity gets its own cut.
    ASSERT_TRUE(Override(IDS_COL_TITLE, "Program name"));
    char cut[5], whole[64];
    {
        FillMemo memo;
        EXPECT_EQ(4, LoadText(IDS_COL_TITLE, cut));
        EXPECT_EQ(12, LoadText(IDS_COL_TITLE, whole));
        EXPECT_STREQ("Prog", cut);
        ASSERT_TRUE(Override(IDS_COL_TITLE, "Name"));  // changed in the middle of a fill: its rows stay alike
        LoadText(IDS_COL_TITLE, whole);
        EXPECT_STREQ("Program name", whole);
    }
    LoadText(IDS_COL_TITLE, whole);
    EXPECT_STREQ("Name", whole) << "the next fill reads the registry again";
}
