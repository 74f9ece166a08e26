// The History dialog of the real console: an undo that finds nothing to do, or that was done
// already, says so; Full Report from its menu writes the report and the lines stay listed.
#include "resource.h"
#include "support/console_fixture.h"

#include <algorithm>

namespace {

const char kRunKey[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";

// A visible dialog of the console other than those given (a message box); NULL on time-out.
HWND OtherDialog(ConsoleRun& run, const std::vector<HWND>& known)
{
    HWND found = nullptr;
    WaitFor([&] {
        for (HWND window = FindWindowExA(nullptr, nullptr, "#32770", nullptr); window;
             window = FindWindowExA(nullptr, window, "#32770", nullptr)) {
            DWORD process = 0;
            GetWindowThreadProcessId(window, &process);
            if (process == run.process.dwProcessId && IsWindowVisible(window) &&
                std::find(known.begin(), known.end(), window) == known.end())
                return (found = window) != nullptr;
        }
        return false;
    });
    return found;
}

std::string Answer(HWND box)
{
    if (!box || !WaitFor([&] { return !WindowText(GetDlgItem(box, 0xFFFF)).empty(); })) return "<no box>";
    std::string text = WindowText(GetDlgItem(box, 0xFFFF));
    PressButton(box, IDOK);
    WaitFor([&] { return !IsWindow(box); });
    return text;
}

}  // namespace

TEST_F(ConsoleTest, TheHistoryDialogSaysWhatAnUndoDidNotDoAndWritesTheFullReport)
{
    SavedKey run(HKEY_CURRENT_USER, kRunKey), options(HKEY_CURRENT_USER, VIGILARK_OPTIONS_KEY);
    SavedKey html(HKEY_LOCAL_MACHINE, "Software\\Classes\\.html");
    html.Clear();  // no program opens the report: the console names it in a message
    PutRegString(HKEY_CURRENT_USER, VIGILARK_OPTIONS_KEY, "Format", "0");
    const std::string report = BesideTestProgram("VigilarkLog.html");
    DeleteFileA(report.c_str());
    // The removal the line records has been put back since.
    PutRegString(HKEY_CURRENT_USER, kRunKey, "History Tool", "C:\\tools\\history.exe");
    WriteWholeFile(HistoryFile(), "03/07/2005  12:05 AM\t*START_Remove\tCURRENT_RUN\tHistory Tool\tC:\\tools\\history.exe\t\r\n"
                                  "03/07/2005  12:06 AM\tTASK_Kill\tINFO_TASK\tKilled\tC:\\tools\\killed.exe\t\r\n");
    ASSERT_TRUE(StartConsole("-START", run_));
    HWND history = OpenHistoryDialog(run_);
    ASSERT_NE(nullptr, history);
    HWND lines = GetDlgItem(history, IDC_LIST);
    ASSERT_TRUE(WaitFor([&] { return FindListRow(run_, lines, 0, "Killed") >= 0; }));

    SelectListRows(run_, lines, {FindListRow(run_, lines, 0, "History Tool")});
    PressButton(history, IDC_RESTORE);
    EXPECT_NE(std::string::npos, Answer(OtherDialog(run_, {run_.sheet, history})).find("There is nothing to undo"));
    // The menu's Restore reaches a line whose change has no undo.
    SelectListRows(run_, lines, {FindListRow(run_, lines, 0, "Killed")});
    RightClickList(run_, history, lines);
    ASSERT_NE(nullptr, WaitForWindow(run_, "#32768"));
    ChooseMenuItem(history, 0);
    EXPECT_NE(std::string::npos, Answer(OtherDialog(run_, {run_.sheet, history})).find("cannot be undone"));

    SelectListRows(run_, lines, {FindListRow(run_, lines, 0, "Killed")});  // the reload cleared it
    RightClickList(run_, history, lines);
    ASSERT_NE(nullptr, WaitForWindow(run_, "#32768"));
    ChooseMenuItem(history, 3);  // Restore, Clear File, Close, Full Report
    EXPECT_NE(std::string::npos, Answer(OtherDialog(run_, {run_.sheet, history})).find(report));
    EXPECT_NE(std::string::npos, ReadWholeFile(report).find("History Tool"));
    EXPECT_TRUE(WaitFor([&] { return FindListRow(run_, lines, 0, "Killed") >= 0; })) << "the lines are listed again";
    PressButton(history, IDOK);
    ASSERT_TRUE(WaitFor([&] { return !IsWindow(history); }));
    DeleteFileA(report.c_str());
}
