// wininit.ini on the Windows 95 family keeps the restart commands already waiting: a read
// that fails part-way ends the change, and a new file that cannot take the old one's place
// (this family has no MoveFileEx) leaves the old one where it was.
#include "app/start.h"
#include "foundations/delete_at_restart.h"
#include "foundations/patrol_places.h"
#include "support/call_hooks.h"
#include "support/testing.h"

#include <gtest/gtest.h>

#include <cstring>

TEST(Windows98, WininitIsNeverRewrittenFromHalfOfItOrLeftHalfReplaced)
{
    ASSERT_GE(GetVersion(), 0x80000000u) << "the Windows 95 family, as the test bed has Wine report";
    char windows[MAX_PATH];
    GetWindowsDirectoryA(windows, sizeof windows);
    const std::string wininit = std::string(windows) + "\\wininit.ini";
    const std::string doomed = TempPath("vgk doomed 98.txt");
    const bool existed = Exists(wininit);
    const std::string before = ReadWholeFile(wininit);
    WriteWholeFile(doomed, "x");
    std::string waiting = "[rename]\r\n";
    while (waiting.size() < 40000) waiting += "NUL=C:\\WAITING\\F" + std::to_string(waiting.size()) + ".TMP\r\n";

    const struct { const char* why; FailingCalls::Call call; int passing; } rows[] = {
        {"the second read", FailingCalls::READ, 1},
        {"the move of the new file into place", FailingCalls::MOVE, 1},  // after the old one moved aside
    };
    for (const auto& row : rows) {
        WriteWholeFile(wininit, waiting);
        {
            FailingCalls failing(row.call, row.passing, ERROR_ACCESS_DENIED, 1);
            EXPECT_EQ(0, DeleteFileOnRestart(doomed.c_str())) << row.why;
            EXPECT_EQ(1, failing.Failed()) << row.why;
        }
        EXPECT_TRUE(waiting == ReadWholeFile(wininit)) << row.why;
    }
    DeleteFileA(doomed.c_str());
    if (existed)
        WriteWholeFile(wininit, before);
    else
        DeleteFileA(wininit.c_str());
}

// The resident monitor's restart-file place: the first visit records the waiting commands, a
// new one is a finding until it is allowed.
TEST(Windows98, TheMonitorFindsANewRestartCommandUntilItIsAllowed)
{
    char windows[MAX_PATH];
    GetWindowsDirectoryA(windows, sizeof windows);
    const std::string wininit = std::string(windows) + "\\wininit.ini";
    const bool existed = Exists(wininit);
    const std::string before = ReadWholeFile(wininit);
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
    ASSERT_TRUE(WriteWholeFile(wininit, "[rename]\r\nNUL=C:\\OLD.TMP\r\n"));
    EXPECT_TRUE(unknown().empty()) << "the first visit records";
    ASSERT_TRUE(WriteWholeFile(wininit, "[rename]\r\nNUL=C:\\OLD.TMP\r\nNUL=C:\\NEW.TMP\r\n"));
    std::vector<PatrolItem> found = unknown();
    ASSERT_EQ(1u, found.size());
    EXPECT_EQ("NUL=C:\\NEW.TMP", found[0].command);
    place->calls.recordKnown(found[0]);  // Allow
    EXPECT_TRUE(unknown().empty());
    if (existed)
        WriteWholeFile(wininit, before);
    else
        DeleteFileA(wininit.c_str());
}
