// The fixture every end-to-end test derives from: no copy of the console or the monitor, no
// history file and no disabled entries of an earlier test, before or after; the options and the
// user's Run key put back afterwards, and no patrols (the Startup page starts the monitor, which
// would write to history.txt); the console opened on a page, its rows found and selected, its
// message boxes answered, its windows waited for.
#pragma once

#include "resource.h"
#include "support/console_driver.h"
#include "support/monitor_driver.h"
#include "support/testing.h"
#include "support/views.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <string>

const char kRunKey[] = WINDOWS_CURRENT_VERSION_KEY "\\Run";

class ConsoleTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        Forget();
        TurnPatrolsOff();
    }
    void TearDown() override
    {
        if (run_.process.hProcess) CloseConsole(run_);
        Forget();
    }
    static void Forget()
    {
        EndAllCopies();
        SetFileAttributesA(HistoryFile().c_str(), FILE_ATTRIBUTE_NORMAL);
        DeleteFileA(HistoryFile().c_str());
        DeleteRegTree(HKEY_LOCAL_MACHINE, In32BitView(VIGILARK_KEY "\\Disabled"));
    }
    // Starts the console with these arguments; page_ is its active page, list_ that page's list.
    void Open(const char* arguments = "")
    {
        ASSERT_TRUE(StartConsole(arguments, run_)) << arguments;
        ASSERT_NE(nullptr, page_ = ActivePage(run_.sheet)) << arguments;
        list_ = GetDlgItem(page_, IDC_LIST);
    }
    // Selects the tab of this caption; its page once it is active, else NULL.
    HWND OpenTab(const std::string& caption)
    {
        for (int i = 0; i < TabCount(run_.sheet); ++i)
            if (TabText(run_, i) == caption) SelectTab(run_.sheet, i);
        HWND page = nullptr;
        WaitFor([&] { return (page = ActivePage(run_.sheet)) != nullptr && ActiveTabText(run_) == caption; });
        return page;
    }
    // Goes to the Options page and opens the History dialog from it; NULL when it did not open.
    HWND OpenHistoryDialog()
    {
        HWND options = OpenTab("Options");
        if (options) PressButton(options, IDC_VIEW_HISTORY);
        return options ? WaitForDialog() : nullptr;
    }
    // The row of list_ whose cell in the column has this text; -1 when there is none.
    int Row(const std::string& text, int column = 0) { return FindListRow(run_, list_, column, text); }
    bool WaitForRow(const std::string& text, int column = 0)
    {
        return WaitFor([&] { return Row(text, column) >= 0; });
    }
    // Selects exactly the rows with these texts.
    void Select(std::initializer_list<std::string> texts, int column = 0)
    {
        std::vector<int> rows;
        for (const std::string& text : texts) rows.push_back(Row(text, column));
        for (int row : rows) ASSERT_GE(row, 0);
        SelectListRows(run_, list_, rows);
    }
    // A dialog of the console other than the sheet and `over`; NULL on time-out.
    HWND WaitForDialog(HWND over = nullptr, DWORD timeoutMs = 5000)
    {
        HWND found = nullptr;
        return WaitFor([&] { return (found = FindVisibleWindow("#32770", run_.process.dwProcessId, 0, over)) && found != run_.sheet; },
                       timeoutMs)
                   ? found
                   : nullptr;
    }
    static bool WaitGone(HWND window) { return WaitFor([&] { return !IsWindow(window); }); }
    // A message box's text, once it is set (the box shows before its text is).
    static std::string BoxText(HWND box)
    {
        std::string text;
        WaitFor([&] { return !(text = WindowText(GetDlgItem(box, 0xFFFF))).empty(); });
        return text;
    }
    // Waits for the console's next message box (over `over`, when a dialog of the console is
    // open), presses `answer` and waits for the box to go; its text ("<no box>" when none came).
    std::string AnswerBox(int answer, HWND over = nullptr)
    {
        HWND box = WaitForDialog(over);
        if (!box) return "<no box>";
        std::string text = BoxText(box);
        PressButton(box, answer);
        EXPECT_TRUE(WaitGone(box)) << text;
        return text;
    }
    static std::string Option(const char* name) { return GetRegString(HKEY_CURRENT_USER, VIGILARK_OPTIONS_KEY, name); }
    static void SetOption(const char* name, const char* value)
    {
        PutRegString(HKEY_CURRENT_USER, VIGILARK_OPTIONS_KEY, name, value);
    }

    SavedKey options_{HKEY_CURRENT_USER, VIGILARK_OPTIONS_KEY}, runKey_{HKEY_CURRENT_USER, kRunKey};
    ConsoleRun run_;
    HWND page_ = nullptr, list_ = nullptr;
};
