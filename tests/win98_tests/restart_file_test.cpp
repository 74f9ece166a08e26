// wininit.ini on the Windows 95 family: deleting at restart writes a "NUL=" line and keeps the
// commands already waiting (a read that fails part-way ends the change, and a new file that
// cannot take the old one's place, as this family has no MoveFileEx, leaves the old one where it
// was); the resident monitor finds a new restart command until it is allowed.
#include "app/start.h"
#include "foundations/delete_at_restart.h"
#include "foundations/patrol_places.h"
#include "options/system_files.h"
#include "support/call_hooks.h"
#include "support/testing.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

std::string WindowsFolder()
{
    char windows[MAX_PATH];
    GetWindowsDirectoryA(windows, sizeof windows);
    return windows;
}

// wininit.ini as the test found it is put back after.
class Windows98WinInit : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_GE(GetVersion(), 0x80000000u) << "the Windows 95 family, as the test bed has Wine report"; }
    void TearDown() override
    {
        if (existed_)
            WriteWholeFile(wininit_, before_);
        else
            DeleteFileA(wininit_.c_str());
    }
    const std::string wininit_ = WindowsFolder() + "\\wininit.ini";
    const bool existed_ = Exists(wininit_);
    const std::string before_ = ReadWholeFile(wininit_);
};

}  // namespace

TEST_F(Windows98WinInit, DeleteAtRestartWritesARenameLineAndKeepsTheFileAndTheHostsFileIsTheWindowsFoldersOwn)
{
    char shortPath[MAX_PATH], hosts[MAX_PATH];
    EXPECT_EQ((int)WindowsFolder().size() + 6, HostsPath(hosts, sizeof hosts));
    EXPECT_EQ(WindowsFolder() + "\\HOSTS", hosts);
    const std::string doomed = TempPath("vgk doomed file.txt");
    WriteWholeFile(doomed, "x");
    ASSERT_GT(GetShortPathNameA(doomed.c_str(), shortPath, sizeof shortPath), 0u);
    WriteWholeFile(wininit_, "[Misc]\r\na=b\r\n");
    std::string line = std::string("NUL=") + shortPath + "\r\n";
    EXPECT_EQ(1, DeleteFileOnRestart(doomed.c_str()));
    EXPECT_EQ(1, DeleteFileOnRestart(doomed.c_str()));
    EXPECT_EQ("[Misc]\r\na=b\r\n[rename]\r\n" + line + line, ReadWholeFile(wininit_));
    EXPECT_TRUE(Exists(doomed));
    DeleteFileA(doomed.c_str());
    EXPECT_EQ(0, DeleteFileOnRestart(doomed.c_str())) << "a missing file cannot be scheduled";
    EXPECT_EQ("[Misc]\r\na=b\r\n[rename]\r\n" + line + line, ReadWholeFile(wininit_));
}

TEST_F(Windows98WinInit, WininitIsNeverRewrittenFromHalfOfItOrLeftHalfReplaced)
{
    const std::string doomed = TempPath("vgk doomed 98.txt");
    WriteWholeFile(doomed, "x");
    std::string waiting = "[rename]\r\n";
    while (waiting.size() < 40000) waiting += "NUL=C:\\WAITING\\F" + std::to_string(waiting.size()) + ".TMP\r\n";

    const struct { const char* why; FailingCalls::Call call; int passing; } rows[] = {
        {"the second read", FailingCalls::READ, 1},
        {"the move of the new file into place", FailingCalls::MOVE, 1},  // after the old one moved aside
    };
    for (const auto& row : rows) {
        WriteWholeFile(wininit_, waiting);
        {
            FailingCalls failing(row.call, row.passing, ERROR_ACCESS_DENIED, 1);
            EXPECT_EQ(0, DeleteFileOnRestart(doomed.c_str())) << row.why;
            EXPECT_EQ(1, failing.Failed()) << row.why;
        }
        EXPECT_TRUE(waiting == ReadWholeFile(wininit_)) << row.why;
    }
    DeleteFileA(doomed.c_str());
}

// The resident monitor's restart-file place: the first visit records the waiting commands, a
// new one is a finding until it is allowed.
TEST_F(Windows98WinInit, TheMonitorFindsANewRestartCommandUntilItIsAllowed)
{
    SavedKey record(HKEY_CURRENT_USER, VIGILARK_KEY "\\WinInit");
    DeleteRegTree(HKEY_CURRENT_USER, VIGILARK_KEY "\\WinInit");
    InstallPatrolPlaces();
    const PatrolPlace* place = nullptr;
    for (int n = 0; n < PatrolPlaceCount(); ++n)
        if (strcmp(PatrolPlaceAt(n)->setting, "WinInit") == 0) place = PatrolPlaceAt(n);
    ASSERT_NE(nullptr, place);
    auto unknown = [&] {
        std::vector<PatrolItem> live;
        EXPECT_TRUE(place->calls.collect(live));
        std::vector<PatrolItem> found;
        for (const PatrolItem& item : live)
            if (!item.known) found.push_back(item);
        return found;
    };
    ASSERT_TRUE(WriteWholeFile(wininit_, "[rename]\r\nNUL=C:\\OLD.TMP\r\n"));
    EXPECT_TRUE(unknown().empty()) << "the first visit records";
    ASSERT_TRUE(WriteWholeFile(wininit_, "[rename]\r\nNUL=C:\\OLD.TMP\r\nNUL=C:\\NEW.TMP\r\n"));
    std::vector<PatrolItem> found = unknown();
    ASSERT_EQ(1u, found.size());
    EXPECT_EQ("NUL=C:\\NEW.TMP", found[0].command);
    place->calls.recordKnown(found[0]);  // Allow
    EXPECT_TRUE(unknown().empty());
}
