// The History dialog of the real console: opened from the Options page, it lists a removal
// made on the Startup page and puts the Run value back exactly.
#include "resource.h"
#include "support/console_driver.h"
#include "support/testing.h"

#include <gtest/gtest.h>

namespace {

const char kRunKey[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";
const char kTitle[] = "History Probe";
const char kCommand[] = "\"C:\\Program Files\\Probe\\hprobe.exe\" /x";

class HistoryDialog : public ::testing::Test {
protected:
    void SetUp() override
    {
        EndAllCopies();
        DeleteFileA(BesideTestProgram("history.txt").c_str());
        ASSERT_TRUE(PutRegString(HKEY_CURRENT_USER, kRunKey, kTitle, kCommand));
    }
    void TearDown() override
    {
        if (run_.process.hProcess) CloseConsole(run_);
        EndAllCopies();
        HKEY key;
        if (RegOpenKeyExA(HKEY_CURRENT_USER, kRunKey, 0, KEY_SET_VALUE, &key) == ERROR_SUCCESS) {
            RegDeleteValueA(key, kTitle);
            RegCloseKey(key);
        }
        DeleteFileA(BesideTestProgram("history.txt").c_str());
    }
    ConsoleRun run_;
};

}  // namespace

TEST_F(HistoryDialog, OpensFromTheOptionsPageAndRestoresARemovedRunValue)
{
    ASSERT_TRUE(StartConsole("", run_));
    HWND page = ActivePage(run_.sheet);
    HWND list = GetDlgItem(page, IDC_LIST);
    int row = -1;
    ASSERT_TRUE(WaitFor([&] { return (row = FindListRow(run_, list, 0, kTitle)) >= 0; }));
    SelectListRows(run_, list, {row});
    PressButton(page, IDC_REMOVE);
    HWND question = WaitForDialog(run_);
    ASSERT_NE(nullptr, question);
    AnswerDialog(question, IDYES);
    ASSERT_TRUE(WaitFor([] { return !RegValuePresent(HKEY_CURRENT_USER, kRunKey, kTitle); }));

    int options = -1;
    for (int i = 0; i < TabCount(run_.sheet); ++i)
        if (TabText(run_, i) == "Options") options = i;
    ASSERT_GE(options, 0);
    SelectTab(run_.sheet, options);
    HWND optionsPage = nullptr;
    ASSERT_TRUE(WaitFor([&] { return (optionsPage = ActivePage(run_.sheet)) != page && optionsPage; }));
    PostMessageA(optionsPage, WM_COMMAND, MAKEWPARAM(IDC_VIEW_HISTORY, BN_CLICKED), 0);

    HWND history = WaitForDialog(run_);
    ASSERT_NE(nullptr, history);
    HWND historyList = GetDlgItem(history, IDC_LIST);
    ASSERT_NE(nullptr, historyList);
    int line = -1;
    ASSERT_TRUE(WaitFor([&] { return (line = FindListRow(run_, historyList, 0, kTitle)) >= 0; }));
    EXPECT_EQ("*START_Remove", ListCell(run_, historyList, line, 1));
    EXPECT_EQ("CURRENT_RUN", ListCell(run_, historyList, line, 2));
    EXPECT_FALSE(IsWindowEnabled(GetDlgItem(history, IDC_RESTORE)));
    SelectListRows(run_, historyList, {line});
    ASSERT_TRUE(WaitFor([&] { return IsWindowEnabled(GetDlgItem(history, IDC_RESTORE)) != FALSE; }));
    PostMessageA(history, WM_COMMAND, MAKEWPARAM(IDC_RESTORE, BN_CLICKED), 0);

    ASSERT_TRUE(WaitFor([] { return RegValuePresent(HKEY_CURRENT_USER, kRunKey, kTitle); }));
    EXPECT_EQ(kCommand, GetRegString(HKEY_CURRENT_USER, kRunKey, kTitle));

    // Clear File deletes the file even when it is read-only; the list empties.
    const std::string file = BesideTestProgram("history.txt");
    ASSERT_TRUE(SetFileAttributesA(file.c_str(), FILE_ATTRIBUTE_READONLY));
    PostMessageA(history, WM_COMMAND, MAKEWPARAM(IDC_CLEAR_FILE, BN_CLICKED), 0);
    ASSERT_TRUE(WaitFor([&] { return ListRowCount(historyList) == 0; }));
    EXPECT_EQ(INVALID_FILE_ATTRIBUTES, GetFileAttributesA(file.c_str()));
    AnswerDialog(history, IDOK);
    ASSERT_TRUE(WaitFor([&] { return !IsWindow(history); }));
}
