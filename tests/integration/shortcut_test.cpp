// Shortcut files written and resolved through the shell's link object.
#include "foundations/shortcut.h"

#include <gtest/gtest.h>
#include <objbase.h>
#include <windows.h>

#include <string>

namespace {

class Shortcuts : public ::testing::Test {
protected:
    void SetUp() override
    {
        CoInitialize(nullptr);
        char folder[MAX_PATH];
        GetTempPathA(sizeof folder, folder);
        target_ = std::string(folder) + "vgk shortcut target.exe";
        link_ = std::string(folder) + "vgk_test.lnk";
        char self[MAX_PATH];
        GetModuleFileNameA(nullptr, self, sizeof self);
        CopyFileA(self, target_.c_str(), FALSE);
    }
    void TearDown() override
    {
        DeleteFileA(link_.c_str());
        DeleteFileA(target_.c_str());
        CoUninitialize();
    }
    std::string target_;
    std::string link_;
};

}  // namespace

TEST_F(Shortcuts, CreatedShortcutResolvesToItsTargetInShortForm)
{
    ASSERT_EQ(S_OK, CreateShortcut(link_.c_str(), target_.c_str(), "/quiet", "C:\\", "Vgk Description",
                                   target_.c_str(), 0));
    char target[MAX_PATH] = "x";
    char description[MAX_PATH] = "x";
    EXPECT_EQ(S_OK, ResolveShortcut(nullptr, link_.c_str(), target, sizeof target, description, sizeof description));
    EXPECT_STREQ("Vgk Description", description);
    char expected[MAX_PATH];
    ASSERT_GT(GetShortPathNameA(target_.c_str(), expected, sizeof expected), 0u);
    // Wine: GetPath ignores SLGP_SHORTPATH; the resolver takes the short form itself.
    EXPECT_EQ(0, lstrcmpiA(expected, target)) << target;
    EXPECT_EQ(nullptr, strchr(target, ' '));
}

TEST_F(Shortcuts, ShortcutToADeletedProgramIsUnresolvable)
{
    ASSERT_EQ(S_OK, CreateShortcut(link_.c_str(), target_.c_str(), "", "", "Gone", "", 0));
    DeleteFileA(target_.c_str());
    char target[MAX_PATH] = "x";
    char description[MAX_PATH] = "x";
    // Wine: Resolve answers S_OK for a missing target; the resolver checks the target itself.
    EXPECT_EQ(S_FALSE, ResolveShortcut(nullptr, link_.c_str(), target, sizeof target, description, sizeof description));
    EXPECT_STREQ("", target);
    EXPECT_STREQ("File no longer exists", description);
}

TEST_F(Shortcuts, AMissingShortcutFileIsAnError)
{
    char target[MAX_PATH] = "x";
    char description[MAX_PATH] = "x";
    HRESULT hr = ResolveShortcut(nullptr, link_.c_str(), target, sizeof target, description, sizeof description);
    EXPECT_TRUE(FAILED(hr)) << std::hex << hr;
    EXPECT_STREQ("", target);
    EXPECT_STREQ("", description);
}
