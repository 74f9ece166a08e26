// The Startup Programs page of the real console: rows for every location, Disable,
// Enable and Remove from the buttons and the context menu, the removal question,
// sorting that survives a restart.
#include "foundations/registry.h"
#include "foundations/shortcut.h"
#include "foundations/winini.h"
#include "resource.h"
#include "support/console_driver.h"
#include "support/testing.h"

#include <gtest/gtest.h>
#include <shlobj.h>

#include <algorithm>

namespace {

const char kRunKey[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";
const char kDisabledRun[] = "Software\\Brondlewick\\Vigilark\\Disabled\\Run";
const char kDisabledMarkers[] = "Software\\Brondlewick\\Vigilark\\Disabled";

class StartupPage : public ::testing::Test {
protected:
    void SetUp() override
    {
        EndAllCopies();
        DeleteRegTree(HKEY_LOCAL_MACHINE, kDisabledMarkers);
        for (const char* name : {"Alpha Tool", "Beta Tool", "Gamma Tool"}) DeleteValue(HKEY_CURRENT_USER, name);
        DeleteFileA(BesideTestProgram("history.txt").c_str());
        PutRegString(HKEY_CURRENT_USER, VIGILARK_OPTIONS_KEY, "SortStartup", "0");
        // Programs that do not run: nothing asks to end them.
        ASSERT_TRUE(PutRegString(HKEY_CURRENT_USER, kRunKey, "Alpha Tool", "C:\\tools\\zulu.exe /quiet"));
        ASSERT_TRUE(PutRegString(HKEY_CURRENT_USER, kRunKey, "Beta Tool", "\"C:\\Program Files\\Beta\\beta.exe\" -b"));
        ASSERT_TRUE(PutRegString(HKEY_CURRENT_USER, kRunKey, "Gamma Tool", "C:\\tools\\alpha.exe"));
    }
    void TearDown() override
    {
        if (run_.process.hProcess) CloseConsole(run_);
        EndAllCopies();
        for (const char* name : {"Alpha Tool", "Beta Tool", "Gamma Tool"}) DeleteValue(HKEY_CURRENT_USER, name);
        DeleteRegTree(HKEY_LOCAL_MACHINE, kDisabledMarkers);
        PutRegString(HKEY_CURRENT_USER, VIGILARK_OPTIONS_KEY, "SortStartup", "0");
    }
    static void DeleteValue(HKEY hive, const char* name)
    {
        HKEY key;
        if (RegOpenKeyExA(hive, kRunKey, 0, KEY_SET_VALUE, &key) != ERROR_SUCCESS) return;
        RegDeleteValueA(key, name);
        RegCloseKey(key);
    }
    void Open()
    {
        ASSERT_TRUE(StartConsole("", run_));
        page_ = ActivePage(run_.sheet);
        list_ = GetDlgItem(page_, IDC_LIST);
        ASSERT_NE(nullptr, list_);
    }
    int Row(const char* title) { return FindListRow(run_, list_, 0, title); }
    void Select(const char* title)
    {
        int row = Row(title);
        ASSERT_GE(row, 0) << title;
        SelectListRows(run_, list_, {row});
    }
    // Waits for the page to refill after an action.
    bool WaitForCell(const char* title, int column, const std::string& text)
    {
        return WaitFor([&] {
            int row = Row(title);
            return row >= 0 && ListCell(run_, list_, row, column) == text;
        });
    }
    ConsoleRun run_;
    HWND page_ = nullptr;
    HWND list_ = nullptr;
};

}  // namespace

TEST_F(StartupPage, ListsTheRunValuesWithTheirCommands)
{
    Open();
    int alpha = Row("Alpha Tool");
    ASSERT_GE(alpha, 0);
    EXPECT_EQ("zulu.exe /quiet", ListCell(run_, list_, alpha, 1));
    EXPECT_EQ("?", ListCell(run_, list_, alpha, 2));  // no such file, so no version
    EXPECT_EQ("beta.exe -b", ListCell(run_, list_, Row("Beta Tool"), 1));
    EXPECT_GE(Row("Gamma Tool"), 0);
    EXPECT_EQ(ListItemData(run_, list_, alpha), alpha);  // rows carry their entry index
}

TEST_F(StartupPage, DisableAndEnableFromTheButtons)
{
    Open();
    Select("Beta Tool");
    PressButton(page_, IDC_DISABLE);
    ASSERT_TRUE(WaitForCell("Beta Tool", 2, "Disabled "));
    EXPECT_FALSE(RegValuePresent(HKEY_CURRENT_USER, kRunKey, "Beta Tool"));
    EXPECT_EQ("\"C:\\Program Files\\Beta\\beta.exe\" -b", GetRegString(HKEY_LOCAL_MACHINE, kDisabledRun, "Beta Tool"));
    EXPECT_EQ("11", GetRegString(HKEY_LOCAL_MACHINE, kDisabledMarkers, "Beta Tool"));

    Select("Beta Tool");
    EXPECT_TRUE(WaitFor([&] { return IsWindowVisible(GetDlgItem(page_, IDC_ENABLE)) != 0; }));
    EXPECT_FALSE(IsWindowVisible(GetDlgItem(page_, IDC_DISABLE)));
    PressButton(page_, IDC_ENABLE);
    ASSERT_TRUE(WaitForCell("Beta Tool", 2, "?"));
    // Written back exactly as it was, quotes and all.
    EXPECT_EQ("\"C:\\Program Files\\Beta\\beta.exe\" -b", GetRegString(HKEY_CURRENT_USER, kRunKey, "Beta Tool"));
    EXPECT_FALSE(RegValuePresent(HKEY_LOCAL_MACHINE, kDisabledMarkers, "Beta Tool"));
}

TEST_F(StartupPage, RemoveAsksForOneRowAndNoChangesNothing)
{
    Open();
    Select("Gamma Tool");
    PressButton(page_, IDC_REMOVE);
    HWND question = WaitForDialog(run_);
    ASSERT_NE(nullptr, question);
    EXPECT_NE(std::string::npos, MessageBoxText(question).find("You have chosen to remove C:\\tools\\alpha.exe"));
    EXPECT_EQ("Vigilark", WindowText(question));
    AnswerDialog(question, IDNO);
    Sleep(500);
    EXPECT_TRUE(RegValuePresent(HKEY_CURRENT_USER, kRunKey, "Gamma Tool"));
    EXPECT_EQ("", ReadWholeFile(BesideTestProgram("history.txt")));

    Select("Gamma Tool");
    PressButton(page_, IDC_REMOVE);
    question = WaitForDialog(run_);
    ASSERT_NE(nullptr, question);
    AnswerDialog(question, IDYES);
    ASSERT_TRUE(WaitFor([&] { return Row("Gamma Tool") < 0; }));
    EXPECT_FALSE(RegValuePresent(HKEY_CURRENT_USER, kRunKey, "Gamma Tool"));
    std::string history = ReadWholeFile(BesideTestProgram("history.txt"));
    EXPECT_NE(std::string::npos, history.find("\t*START_Remove\tCURRENT_RUN\tGamma Tool\tC:\\tools\\alpha.exe\t\r\n"))
        << history;
}

TEST_F(StartupPage, RemovingSeveralRowsAsksNothing)
{
    Open();
    SelectListRows(run_, list_, {Row("Alpha Tool"), Row("Gamma Tool")});
    PressButton(page_, IDC_REMOVE);
    ASSERT_TRUE(WaitFor([&] { return Row("Alpha Tool") < 0 && Row("Gamma Tool") < 0; }));
    EXPECT_EQ(nullptr, WaitForDialog(run_, 500));
    EXPECT_FALSE(RegValuePresent(HKEY_CURRENT_USER, kRunKey, "Alpha Tool"));
    EXPECT_TRUE(RegValuePresent(HKEY_CURRENT_USER, kRunKey, "Beta Tool"));
}

TEST_F(StartupPage, ContextMenuActsOnTheSelectedRow)
{
    Open();
    SelectListRows(run_, list_, {});
    RightClickList(run_, page_, list_);
    EXPECT_EQ(nullptr, WaitForPopupMenu(run_, 800));  // no row, no menu

    Select("Alpha Tool");
    RightClickList(run_, page_, list_);
    ASSERT_NE(nullptr, WaitForPopupMenu(run_));
    ChooseMenuItem(page_, 3);  // Info..., &Add, &Remove, &Disable
    ASSERT_TRUE(WaitForCell("Alpha Tool", 2, "Disabled "));
    EXPECT_EQ("C:\\tools\\zulu.exe /quiet", GetRegString(HKEY_LOCAL_MACHINE, kDisabledRun, "Alpha Tool"));

    Select("Alpha Tool");
    RightClickList(run_, page_, list_);
    ASSERT_NE(nullptr, WaitForPopupMenu(run_));
    ChooseMenuItem(page_, 3);  // now "&Enable"
    ASSERT_TRUE(WaitForCell("Alpha Tool", 2, "?"));
    EXPECT_EQ("C:\\tools\\zulu.exe /quiet", GetRegString(HKEY_CURRENT_USER, kRunKey, "Alpha Tool"));
}

TEST_F(StartupPage, SortedColumnSurvivesARestart)
{
    Open();
    auto titles = [&] {
        std::vector<std::string> ours;
        for (const std::string& title : ListColumn(run_, list_, 0))
            if (title.find(" Tool") != std::string::npos) ours.push_back(title);
        return ours;
    };
    // By command: alpha.exe (Gamma), beta.exe (Beta), zulu.exe (Alpha) — not the title order.
    const std::vector<std::string> ascending = {"Gamma Tool", "Beta Tool", "Alpha Tool"};
    const std::vector<std::string> descending = {"Alpha Tool", "Beta Tool", "Gamma Tool"};
    ClickListColumn(run_, page_, list_, 1);
    EXPECT_EQ(ascending, titles());
    EXPECT_EQ("2", GetRegString(HKEY_CURRENT_USER, VIGILARK_OPTIONS_KEY, "SortStartup"));
    ClickListColumn(run_, page_, list_, 1);
    EXPECT_EQ(descending, titles());
    ClickListColumn(run_, page_, list_, 1);
    EXPECT_EQ(ascending, titles());
    EXPECT_EQ("2", GetRegString(HKEY_CURRENT_USER, VIGILARK_OPTIONS_KEY, "SortStartup"));
    EXPECT_EQ(0, CloseConsole(run_));

    // The next run sorts the stored column, ascending.
    Open();
    EXPECT_EQ(ascending, titles());
}

// Every kind of location at once, one entry disabled: the rows, and a screenshot.
class StartupPageAllKinds : public StartupPage {
protected:
    void SetUp() override
    {
        StartupPage::SetUp();
        CoInitialize(nullptr);
        char folder[MAX_PATH] = "";
        SHGetFolderPathA(nullptr, CSIDL_STARTUP, nullptr, 0, folder);
        startupFolder_ = folder;
        CreateDirectoryA(startupFolder_.c_str(), nullptr);
        char windows[MAX_PATH];
        GetWindowsDirectoryA(windows, sizeof windows);
        regedit_ = std::string(windows) + "\\regedit.exe";
        savedLoad_ = ReadWinIniLine("load");

        ASSERT_TRUE(PutRegString(HKEY_LOCAL_MACHINE, kRunKey, "Delta Service", (regedit_ + " /s").c_str()));
        ASSERT_TRUE(WriteProfileStringA("windows", "load", (std::string(windows) + "\\notepad.exe").c_str()));
        ASSERT_TRUE(SUCCEEDED(CreateShortcut((startupFolder_ + "\\Echo.lnk").c_str(), regedit_.c_str(), "",
                                             windows, "Echo Helper", regedit_.c_str(), 0)));
        ASSERT_TRUE(CopyFileA(regedit_.c_str(), (startupFolder_ + "\\foxtrot.exe").c_str(), FALSE));
    }
    void TearDown() override
    {
        StartupPage::TearDown();
        HKEY key;
        if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, kRunKey, 0, KEY_SET_VALUE, &key) == ERROR_SUCCESS) {
            RegDeleteValueA(key, "Delta Service");
            RegCloseKey(key);
        }
        WriteProfileStringA("windows", "load", savedLoad_.c_str());
        DeleteFileA((startupFolder_ + "\\Echo.lnk").c_str());
        DeleteFileA((startupFolder_ + "\\foxtrot.exe").c_str());
        CoUninitialize();
    }
    std::string startupFolder_;
    std::string regedit_;
    std::string savedLoad_;
};

TEST_F(StartupPageAllKinds, EveryLocationIsListedAndOneIsDisabled)
{
    Open();
    EXPECT_TRUE(WaitFor([] { return FindWindowA("Vigilark", nullptr) != nullptr; }));  // the monitor was started

    int delta = Row("Delta Service");
    ASSERT_GE(delta, 0);
    EXPECT_EQ("regedit.exe /s", ListCell(run_, list_, delta, 1));
    EXPECT_NE("?", ListCell(run_, list_, delta, 2));  // a real program with a version
    int echo = Row("Echo Helper");
    ASSERT_GE(echo, 0);
    EXPECT_EQ("regedit.exe", ListCell(run_, list_, echo, 1));
    EXPECT_GE(Row("load"), 0);  // notepad has no product name: the line's name stands in
    bool foxtrot = false;
    for (const std::string& command : ListColumn(run_, list_, 1)) foxtrot |= command == "foxtrot.exe";
    EXPECT_TRUE(foxtrot);

    Select("Beta Tool");
    PressButton(page_, IDC_DISABLE);
    ASSERT_TRUE(WaitForCell("Beta Tool", 2, "Disabled "));
    Select("Beta Tool");
    Sleep(500);
    EXPECT_TRUE(SaveScreenshot(run_.sheet, "startup-page.bmp"));
}
