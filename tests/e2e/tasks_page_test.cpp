// The Active Tasks page of the real console: Kill Task ends the row's own program, of two with
// one file name. (Which process the list showed, and the history line, are the processes
// integration test's.)
#include "support/console_fixture.h"
#include "support/probe.h"

TEST_F(ConsoleTest, KillTaskEndsTheRowsOwnProgram)
{
    Probe first(BesideTestProgram("tasks_a\\setup.exe")), second(BesideTestProgram("tasks_b\\setup.exe"));
    ASSERT_TRUE(first.Started() && second.Started());
    Open("-TASK");
    ASSERT_TRUE(WaitForRow("setup.exe"));
    // The page shows the selected row's path in the status bar: the second folder's program is
    // chosen, though the first has the same file name.
    HWND status = GetDlgItem(run_.sheet, IDC_STATUS_BAR);
    bool found = false;
    for (int row = 0; row < ListView_GetItemCount(list_) && !found; ++row) {
        SelectListRows(run_, list_, {row});
        found = WaitFor([&] { return lstrcmpiA(WindowText(status).c_str(), second.Path().c_str()) == 0; }, 500);
    }
    ASSERT_TRUE(found);
    PressButton(page_, IDC_KILL_TASK);
    EXPECT_TRUE(second.EndsWithin(10000));
    EXPECT_TRUE(first.Running());
}
