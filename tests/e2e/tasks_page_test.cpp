// The Active Tasks page of the real console: Kill Task ends the row's own program (of two with
// one file name) and writes one history line per ended process.
#include "support/console_fixture.h"
#include "support/probe.h"

#include <algorithm>

namespace {

std::string Upper(std::string text)
{
    std::transform(text.begin(), text.end(), text.begin(), [](unsigned char c) { return (char)toupper(c); });
    return text;
}

class TasksPage : public ConsoleTest {
protected:
    // Selects the row whose program is `path` (the page shows the selected row's path in the
    // status bar); false when there is none.
    bool SelectProgram(const std::string& path)
    {
        HWND status = GetDlgItem(run_.sheet, IDC_STATUS_BAR);
        for (int row = 0; row < ListView_GetItemCount(list_); ++row) {
            SelectListRows(run_, list_, {row});
            if (WaitFor([&] { return Upper(WindowText(status)) == Upper(path); }, 500)) return true;
        }
        return false;
    }
};

}  // namespace

TEST_F(TasksPage, KillTaskEndsTheRowsOwnProgramAndRecordsEach)
{
    Probe first(BesideTestProgram("tasks_a\\setup.exe")), second(BesideTestProgram("tasks_b\\setup.exe"));
    ASSERT_TRUE(first.Started() && second.Started());
    Open("-TASK");
    ASSERT_TRUE(WaitForRow("setup.exe"));
    // The second folder's program, though the first has the same file name.
    ASSERT_TRUE(SelectProgram(second.Path()));
    PressButton(page_, IDC_KILL_TASK);
    EXPECT_TRUE(second.EndsWithin(10000));
    EXPECT_TRUE(first.Running());
    ASSERT_TRUE(WaitFor([&] { return SelectProgram(first.Path()); }));
    PressButton(page_, IDC_KILL_TASK);
    EXPECT_TRUE(first.EndsWithin(10000));

    // One line for each ended process, naming its own program.
    std::string history;
    auto kills = [&] {
        history = Upper(ReadWholeFile(HistoryFile()));
        size_t count = 0;
        for (size_t at = 0; (at = history.find("\tTASK_KILL\tINFO_TASK\t", at)) != std::string::npos; ++at) ++count;
        return count;
    };
    ASSERT_TRUE(WaitFor([&] { return kills() == 2; })) << history;
    EXPECT_NE(std::string::npos, history.find(Upper(second.Path())));
    EXPECT_NE(std::string::npos, history.find(Upper(first.Path())));
}
