// The History dialog of the real console: an undo that finds nothing to do says so; Full
// Report from its menu writes the report and the lines are listed again.
#include "resource.h"
#include "support/console_fixture.h"

TEST_F(ConsoleTest, TheHistoryDialogSaysWhenAnUndoHasNothingToDoAndWritesTheFullReport)
{
    const char kRunKey[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";
    SavedKey run(HKEY_CURRENT_USER, kRunKey);
    SavedKey html(HKEY_LOCAL_MACHINE, "Software\\Classes\\.html");
    html.Clear();  // no program opens the report: the console names it in a message
    SetOption("Format", "0");
    const std::string report = BesideTestProgram("VigilarkLog.html");
    DeleteFileA(report.c_str());
    // The removal the line records has been put back since.
    PutRegString(HKEY_CURRENT_USER, kRunKey, "History Tool", "C:\\tools\\history.exe");
    WriteWholeFile(HistoryFile(), "03/07/2005  12:05 AM\t*START_Remove\tCURRENT_RUN\tHistory Tool\tC:\\tools\\history.exe\t\r\n");
    Open("-START");
    HWND history = OpenHistoryDialog(run_);
    ASSERT_NE(nullptr, history);
    HWND lines = GetDlgItem(history, IDC_LIST);
    ASSERT_TRUE(WaitFor([&] { return FindListRow(run_, lines, 0, "History Tool") >= 0; }));

    SelectListRows(run_, lines, {0});
    PressButton(history, IDC_RESTORE);
    EXPECT_NE(std::string::npos, AnswerBox(IDOK, nullptr, history).find("There is nothing to undo"));

    SelectListRows(run_, lines, {0});  // the reload cleared the selection
    RightClickList(run_, history, lines);
    ASSERT_NE(nullptr, WaitForWindow(run_, "#32768"));
    ChooseMenuItem(history, 3);  // Restore, Clear File, Close, Full Report
    EXPECT_NE(std::string::npos, AnswerBox(IDOK, nullptr, history).find(report));
    EXPECT_NE(std::string::npos, ReadWholeFile(report).find("History Tool"));
    EXPECT_TRUE(WaitFor([&] { return FindListRow(run_, lines, 0, "History Tool") >= 0; })) << "listed again";
    PressButton(history, IDOK);
    ASSERT_TRUE(WaitGone(history));
    DeleteFileA(report.c_str());
}
