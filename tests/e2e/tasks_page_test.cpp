// The Active Tasks page and the Properties dialog of the real console: Kill Task ends the
// row's own program (of two with one file name), writes one history line per ended
// process; Properties steps through the whole list and wraps.
#include "resource.h"
#include "support/console_fixture.h"
#include "support/probe.h"

#include <commctrl.h>

#include <algorithm>
#include <string>
#include <vector>

namespace {

std::string Upper(std::string text)
{
    std::transform(text.begin(), text.end(), text.begin(), [](unsigned char c) { return (char)toupper(c); });
    return text;
}

class TasksPage : public ConsoleTest {
protected:
    // The row whose program is `path` (the page shows the selected row's path in the status bar).
    int RowOf(HWND list, const std::string& path)
    {
        HWND status = GetDlgItem(run_.sheet, IDC_STATUS_BAR);
        for (int row = 0; row < ListView_GetItemCount(list); ++row) {
            SelectListRows(run_, list, {row});
            if (WaitFor([&] { return Upper(WindowText(status)) == Upper(path); }, 500)) return row;
        }
        return -1;
    }
};

}  // namespace

TEST_F(TasksPage, KillTaskEndsTheRowsOwnProgramAndRecordsEach)
{
    Probe first(BesideTestProgram("tasks_a\\setup.exe"));
    Probe second(BesideTestProgram("tasks_b\\setup.exe"));
    ASSERT_TRUE(first.Started() && second.Started());
    ASSERT_TRUE(StartConsole("-TASK", run_));
    HWND page = ActivePage(run_.sheet);
    HWND list = GetDlgItem(page, IDC_LIST);
    ASSERT_TRUE(WaitFor([&] { return FindListRow(run_, list, 0, "setup.exe") >= 0; }));

    // The second folder's program, though the first has the same file name.
    int row = RowOf(list, second.Path());
    ASSERT_GE(row, 0);
    PressButton(page, IDC_KILL_TASK);
    EXPECT_TRUE(second.EndsWithin(10000));
    EXPECT_TRUE(first.Running());

    ASSERT_TRUE(WaitFor([&] { return (row = RowOf(list, first.Path())) >= 0; }));
    PressButton(page, IDC_KILL_TASK);
    EXPECT_TRUE(first.EndsWithin(10000));

    // One line for each ended process, naming its own program.
    std::string history;
    auto kills = [&] {
        history = Upper(ReadWholeFile(HistoryFile()));
        size_t count = 0;
        for (size_t at = history.find("\tTASK_KILL\tINFO_TASK\t"); at != std::string::npos;
             at = history.find("\tTASK_KILL\tINFO_TASK\t", at + 1))
            ++count;
        return count;
    };
    ASSERT_TRUE(WaitFor([&] { return kills() == 2; })) << history;
    EXPECT_NE(std::string::npos, history.find(Upper(second.Path())));
    EXPECT_NE(std::string::npos, history.find(Upper(first.Path())));
}

TEST_F(TasksPage, PropertiesStepsThroughTheWholeListAndWraps)
{
    const char kKey[] = "Software\\Brondlewick\\Vigilark";
    const char kRun[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";
    SavedKey run(HKEY_CURRENT_USER, kRun);
    ASSERT_TRUE(PutRegString(HKEY_CURRENT_USER, kRun, "Properties One", "C:\\one\\one.exe"));
    ASSERT_TRUE(PutRegString(HKEY_CURRENT_USER, kRun, "Properties Two", "C:\\two\\two.exe"));
    for (const char* arguments : {"-TASK", "-START"}) {
        SCOPED_TRACE(arguments);
        PutRegString(HKEY_CURRENT_USER, kKey, "xInfo", "");
        ASSERT_TRUE(StartConsole(arguments, run_));
        HWND page = ActivePage(run_.sheet);
        HWND list = GetDlgItem(page, IDC_LIST);
        ASSERT_TRUE(WaitFor([&] { return ListView_GetItemCount(list) > 1; }));
        int rows = ListView_GetItemCount(list);
        SelectListRows(run_, list, {0});
        PressButton(page, IDC_INFO);
        HWND dialog = WaitForWindow(run_);
        ASSERT_NE(nullptr, dialog);
        const std::string first = WindowText(GetDlgItem(dialog, IDC_PROP_PATH));
        ASSERT_FALSE(first.empty());
        EXPECT_FALSE(WindowText(GetDlgItem(dialog, IDC_PROP_STATUS)).empty());

        // Every entry has a row on these pages, so as many steps as rows come back to the start.
        std::vector<std::string> seen;
        for (int step = 0; step < rows; ++step) {
            SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDC_PROP_NEXT, BN_CLICKED), 0);
            seen.push_back(WindowText(GetDlgItem(dialog, IDC_PROP_PATH)));
        }
        EXPECT_EQ(first, seen.back());
        EXPECT_NE(first, seen.front());
        SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDC_PROP_PREVIOUS, BN_CLICKED), 0);
        EXPECT_EQ(seen[seen.size() - 2], WindowText(GetDlgItem(dialog, IDC_PROP_PATH)));

        PressButton(dialog, IDOK);
        ASSERT_TRUE(WaitFor([&] { return !IsWindow(dialog); }));
        EXPECT_NE("", GetRegString(HKEY_CURRENT_USER, kKey, "xInfo")) << "the dialog keeps its own place";
        CloseConsole(run_);
        run_ = ConsoleRun();
    }
}
