// wininit.ini on the Windows 95 family keeps the restart commands already waiting: a read
// that fails part-way ends the change, and a new file that cannot take the old one's place
// (this family has no MoveFileEx) leaves the old one where it was.
#include "foundations/delete_at_restart.h"
#include "support/call_hooks.h"
#include "support/testing.h"

#include <gtest/gtest.h>

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
