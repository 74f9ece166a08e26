// The Options page of the real console: each check box stored in its setting, the monitor's
// Run value, the HOSTS lock and Notepad, the patrol icons, the admin options dialog, and the
// restart-commands viewer that the main window opens.
#include "foundations/registry.h"
#include "resource.h"
#include "support/console_driver.h"
#include "support/testing.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <algorithm>

namespace {

const char kRunKey[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";
const char kUsersKey[] = VIGILARK_KEY "\\Users";

std::string LoggedOnUser()
{
    char name[260] = "";
    DWORD size = sizeof name;
    GetUserNameA(name, &size);
    return name;
}

std::string WindowsFile(const char* name)
{
    char folder[MAX_PATH];
    GetWindowsDirectoryA(folder, sizeof folder);
    return std::string(folder) + "\\" + name;
}

std::string HostsFile()
{
    char folder[MAX_PATH];
    GetSystemDirectoryA(folder, sizeof folder);
    return std::string(folder) + "\\drivers\\etc\\HOSTS";
}

bool Checked(HWND page, int id) { return SendMessageA(GetDlgItem(page, id), BM_GETCHECK, 0, 0) == BST_CHECKED; }

// A click on a check box as the mouse gives it: the box flips, then tells the page.
void ClickBox(HWND page, int id) { PostMessageA(GetDlgItem(page, id), BM_CLICK, 0, 0); }

bool ReadOnly(const std::string& path) { return (GetFileAttributesA(path.c_str()) & FILE_ATTRIBUTE_READONLY) != 0; }

// The text of a message box once it is there (it is filled after the window appears).
std::string BoxText(HWND box)
{
    std::string text;
    WaitFor([&] { return !(text = WindowText(GetDlgItem(box, 0xFFFF))).empty(); });
    return text;
}

class OptionsPage : public ::testing::Test {
protected:
    void SetUp() override
    {
        EndAllCopies();
        hostsAttributes_ = GetFileAttributesA(HostsFile().c_str());
        SetFileAttributesA(HostsFile().c_str(), FILE_ATTRIBUTE_NORMAL);
        hosts_ = ReadWholeFile(HostsFile());
        if (hostsAttributes_ == INVALID_FILE_ATTRIBUTES) WriteWholeFile(HostsFile(), "127.0.0.1 localhost\r\n");
    }
    void TearDown() override
    {
        if (run_.process.hProcess) CloseConsole(run_);
        EndAllCopies();
        SetFileAttributesA(HostsFile().c_str(), FILE_ATTRIBUTE_NORMAL);
        if (hostsAttributes_ == INVALID_FILE_ATTRIBUTES) {
            DeleteFileA(HostsFile().c_str());
        } else {
            WriteWholeFile(HostsFile(), hosts_);
            SetFileAttributesA(HostsFile().c_str(), hostsAttributes_);
        }
    }
    // The console on its Options page; the page.
    HWND Open()
    {
        EXPECT_TRUE(StartConsole("-OPTION", run_));
        EXPECT_EQ("Options", ActiveTabText(run_));
        return ActivePage(run_.sheet);
    }
    // Leaves the page and comes back: what it shows is read again.
    void Revisit(HWND page)
    {
        SelectTab(run_.sheet, 0);
        EXPECT_TRUE(WaitFor([&] { return ActiveTab(run_.sheet) == 0; }));
        SelectTab(run_.sheet, TabCount(run_.sheet) - 1);
        EXPECT_TRUE(WaitFor([&] { return ActivePage(run_.sheet) == page; }));
        SendMessageTimeoutA(page, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 5000, nullptr);
    }
    std::string Option(const char* name) { return GetRegString(HKEY_CURRENT_USER, VIGILARK_OPTIONS_KEY, name); }
    void SetOption(const char* name, const char* value)
    {
        PutRegString(HKEY_CURRENT_USER, VIGILARK_OPTIONS_KEY, name, value);
    }

    SavedKey options_{HKEY_CURRENT_USER, VIGILARK_OPTIONS_KEY};
    SavedKey run_key_{HKEY_LOCAL_MACHINE, kRunKey};
    ConsoleRun run_;
    std::string hosts_;
    DWORD hostsAttributes_ = INVALID_FILE_ATTRIBUTES;
};

}  // namespace

TEST_F(OptionsPage, EachCheckBoxIsStoredInItsSettingAndInTheConsolesCopy)
{
    SetOption("Sound", "1");
    SetOption("History", "0");
    SetOption("ConfirmExit", "7");
    HWND page = Open();
    struct Row {
        int box;
        const char* setting;
        bool shown;  // what the page shows for the values above
    };
    const Row rows[] = {
        {IDC_PLAY_SOUNDS, "Sound", true},
        {IDC_TRACK_HISTORY, "History", false},
        {IDC_CONFIRM_EXIT, "ConfirmExit", true},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.setting);
        EXPECT_EQ(row.shown, Checked(page, row.box));
        // Another program changes an unrelated setting: a click writes every setting at once.
        SetOption("Start", "29");
        ClickBox(page, row.box);
        const char* flipped = row.shown ? "0" : "1";
        EXPECT_TRUE(WaitFor([&] { return Option(row.setting) == flipped; })) << Option(row.setting);
        EXPECT_TRUE(WaitFor([&] { return Option("Start") != "29"; })) << "the console's copy of Start is written";
        EXPECT_EQ(!row.shown, Checked(page, row.box));
    }
    // The console keeps its copy: what it writes at exit is what the boxes say.
    SetOption("Sound", "1");
    SetOption("History", "0");
    SetOption("ConfirmExit", "1");
    EXPECT_EQ(0, CloseConsole(run_));
    EXPECT_EQ("0", Option("Sound"));
    EXPECT_EQ("1", Option("History"));
    EXPECT_EQ("0", Option("ConfirmExit"));
}

TEST_F(OptionsPage, TheAutostartBoxIsThePresenceOfTheMonitorsRunValue)
{
    HWND page = Open();
    // A first start puts the monitor into the Run key; remove it behind the page's back.
    DeleteRegValue(HKEY_LOCAL_MACHINE, kRunKey, "Vigilark");
    DeleteRegValue(HKEY_LOCAL_MACHINE, kRunKey, "Vigilark RORO");
    Revisit(page);
    EXPECT_FALSE(Checked(page, IDC_AUTORUN));
    ClickBox(page, IDC_AUTORUN);
    ASSERT_TRUE(WaitFor([] { return RegValueExists(HKEY_LOCAL_MACHINE, kRunKey, "Vigilark"); }));
    EXPECT_NE(std::string::npos, GetRegString(HKEY_LOCAL_MACHINE, kRunKey, "Vigilark").find("\\vigilark.exe"));
    EXPECT_TRUE(Checked(page, IDC_AUTORUN));
    ClickBox(page, IDC_AUTORUN);
    ASSERT_TRUE(WaitFor([] { return !RegValueExists(HKEY_LOCAL_MACHINE, kRunKey, "Vigilark"); }));
    EXPECT_FALSE(Checked(page, IDC_AUTORUN));

    // Another program puts the value back: the page shows it when it is shown again.
    PutRegString(HKEY_LOCAL_MACHINE, kRunKey, "Vigilark", "C:\\elsewhere\\vigilark.exe");
    Revisit(page);
    EXPECT_TRUE(Checked(page, IDC_AUTORUN));
}

TEST_F(OptionsPage, TheLockBoxSetsTheReadOnlyAttributeToWhatItShows)
{
    HWND page = Open();
    ASSERT_FALSE(ReadOnly(HostsFile()));
    EXPECT_FALSE(Checked(page, IDC_LOCK_HOSTS));
    ClickBox(page, IDC_LOCK_HOSTS);
    EXPECT_TRUE(WaitFor([] { return ReadOnly(HostsFile()); }));
    ClickBox(page, IDC_LOCK_HOSTS);
    EXPECT_TRUE(WaitFor([] { return !ReadOnly(HostsFile()); }));
    EXPECT_FALSE(Checked(page, IDC_LOCK_HOSTS));

    // Locked behind the page's back while the box shows it open: checking the box keeps the
    // lock (flipping the file's state would unlock it under a checked box).
    SetFileAttributesA(HostsFile().c_str(), FILE_ATTRIBUTE_READONLY);
    ClickBox(page, IDC_LOCK_HOSTS);
    EXPECT_TRUE(WaitFor([&] { return Checked(page, IDC_LOCK_HOSTS); }));
    SendMessageTimeoutA(page, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 5000, nullptr);
    EXPECT_TRUE(ReadOnly(HostsFile()));
}

TEST_F(OptionsPage, WithoutAHostsFileTheLockBoxIsClearAndOff)
{
    SetFileAttributesA(HostsFile().c_str(), FILE_ATTRIBUTE_NORMAL);
    ASSERT_TRUE(DeleteFileA(HostsFile().c_str()));
    HWND page = Open();
    // Nothing is locked, and there is nothing to lock.
    EXPECT_FALSE(Checked(page, IDC_LOCK_HOSTS));
    EXPECT_FALSE(IsWindowEnabled(GetDlgItem(page, IDC_LOCK_HOSTS)));
    PressButton(page, IDC_LOCK_HOSTS);
    SendMessageTimeoutA(page, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 5000, nullptr);
    EXPECT_FALSE(Exists(HostsFile()));

    // View HOSTS says the file is missing.
    PressButton(page, IDC_VIEW_HOSTS);
    HWND box = WaitForWindow(run_);
    ASSERT_NE(nullptr, box);
    EXPECT_NE(std::string::npos, BoxText(box).find("A HOSTS file could not be located on your computer."));
    PressButton(box, IDOK);
    EXPECT_TRUE(WaitFor([&] { return !IsWindow(box); }));
}

namespace {

struct FoundWindow {
    const char* className;
    std::string titlePart;
    HWND window;
};

BOOL CALLBACK MatchWindow(HWND window, LPARAM data)
{
    FoundWindow* found = reinterpret_cast<FoundWindow*>(data);
    char className[64] = "", title[512] = "";
    GetClassNameA(window, className, sizeof className);
    GetWindowTextA(window, title, sizeof title);
    std::string lower = title;
    std::transform(lower.begin(), lower.end(), lower.begin(), ::tolower);
    if (lstrcmpiA(className, found->className) == 0 && IsWindowVisible(window) &&
        lower.find(found->titlePart) != std::string::npos) {
        found->window = window;
        return FALSE;
    }
    return TRUE;
}

HWND FindTopWindow(const char* className, const std::string& titlePart)
{
    FoundWindow found = {className, titlePart, nullptr};
    EnumWindows(MatchWindow, reinterpret_cast<LPARAM>(&found));
    return found.window;
}

}  // namespace

TEST_F(OptionsPage, ViewHostsOpensTheFileInNotepad)
{
    HWND page = Open();
    PressButton(page, IDC_VIEW_HOSTS);
    HWND notepad = nullptr;
    ASSERT_TRUE(WaitFor([&] { return (notepad = FindTopWindow("Notepad", "hosts")) != nullptr; }));
    DWORD pid = 0;
    GetWindowThreadProcessId(notepad, &pid);
    EXPECT_NE(run_.process.dwProcessId, pid) << "Notepad runs on its own";
    char exe[MAX_PATH] = "";
    HANDLE process = OpenProcess(PROCESS_QUERY_INFORMATION | SYNCHRONIZE, FALSE, pid);
    ASSERT_NE(nullptr, process);
    DWORD size = sizeof exe;
    typedef BOOL(WINAPI * QueryName)(HANDLE, DWORD, LPSTR, PDWORD);
    QueryName query = reinterpret_cast<QueryName>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("kernel32.dll"), "QueryFullProcessImageNameA")));
    if (query && query(process, 0, exe, &size)) {
        std::string name = exe;
        std::transform(name.begin(), name.end(), name.begin(), ::tolower);
        EXPECT_NE(std::string::npos, name.find("\\notepad.exe")) << exe;
    }
    PostMessageA(notepad, WM_CLOSE, 0, 0);
    EXPECT_EQ(WAIT_OBJECT_0, WaitForSingleObject(process, 10000));
    CloseHandle(process);
}

TEST_F(OptionsPage, PatrolIconsSetTheirOwnTimesAndTheRestartRowIsHiddenOnNt)
{
    SetOption("StartPage", "2");
    SetOption("HostFile", "3");
    HWND page = Open();
    // The NT family has no restart file to watch.
    EXPECT_FALSE(IsWindowVisible(GetDlgItem(page, IDC_WININIT_ICON)));
    EXPECT_FALSE(IsWindowVisible(GetDlgItem(page, IDC_WININIT_LABEL)));
    // Both watches are on: the two icons show the same image.
    auto image = [&](int icon) { return SendMessageA(GetDlgItem(page, icon), STM_GETIMAGE, IMAGE_BITMAP, 0); };
    EXPECT_NE(0, image(IDC_HOSTS_ICON));
    EXPECT_EQ(image(IDC_STARTPAGE_ICON), image(IDC_HOSTS_ICON));
    struct Row {
        int icon;
        const char* title;
        const char* typed;  // nullptr: Close
        const char* setting;
        const char* stored;
    };
    const Row rows[] = {
        {IDC_STARTPAGE_ICON, "Patrol Time for Default Internet Pages", "45", "StartPage", "45"},
        {IDC_HOSTS_ICON, "Patrol Time for checking HOST file", "", "HostFile", "0"},
        {IDC_HOSTS_ICON, "Patrol Time for checking HOST file", nullptr, "HostFile", "0"},
        {IDC_STARTPAGE_ICON, "Patrol Time for Default Internet Pages", nullptr, "StartPage", "45"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.title);
        PressButton(page, row.icon);
        HWND dialog = WaitForWindow(run_);
        ASSERT_NE(nullptr, dialog);
        EXPECT_EQ(row.title, WindowText(dialog));
        if (row.typed) {
            SendMessageA(GetDlgItem(dialog, IDC_PATROL_EDIT), WM_SETTEXT, 0, (LPARAM)row.typed);
            PressButton(dialog, IDOK);
        } else {
            PressButton(dialog, IDCANCEL);
        }
        EXPECT_TRUE(WaitFor([&] { return !IsWindow(dialog); }));
        EXPECT_EQ(row.stored, Option(row.setting));
    }
    EXPECT_NE(image(IDC_STARTPAGE_ICON), image(IDC_HOSTS_ICON)) << "the HOSTS watch shows off, the other on";
}

TEST_F(OptionsPage, TheRestartFileRowIsShownOnWindowsNinetyEight)
{
    SavedKey version(HKEY_CURRENT_USER, "Software\\Wine\\AppDefaults\\VigilarkEx.exe");
    ASSERT_TRUE(PutRegString(HKEY_CURRENT_USER, "Software\\Wine\\AppDefaults\\VigilarkEx.exe", "Version", "win98"));
    SetOption("WinInit", "5");
    HWND page = Open();
    EXPECT_TRUE(IsWindowVisible(GetDlgItem(page, IDC_WININIT_ICON)));
    EXPECT_TRUE(IsWindowVisible(GetDlgItem(page, IDC_WININIT_LABEL)));
    PressButton(page, IDC_WININIT_ICON);
    HWND dialog = WaitForWindow(run_);
    ASSERT_NE(nullptr, dialog);
    EXPECT_EQ("Patrol Time for WinInit/Restart file", WindowText(dialog));
    EXPECT_EQ("5", WindowText(GetDlgItem(dialog, IDC_PATROL_EDIT)));
    SendMessageA(GetDlgItem(dialog, IDC_PATROL_EDIT), WM_SETTEXT, 0, (LPARAM) "0");
    PressButton(dialog, IDOK);
    EXPECT_TRUE(WaitFor([&] { return Option("WinInit") == "0"; }));
}

TEST_F(OptionsPage, ViewHistoryOpensTheHistoryDialog)
{
    HWND page = Open();
    PressButton(page, IDC_VIEW_HISTORY);
    HWND dialog = WaitForWindow(run_);
    ASSERT_NE(nullptr, dialog);
    EXPECT_EQ("Vigilark History", WindowText(dialog));
    PressButton(dialog, IDOK);
    EXPECT_TRUE(WaitFor([&] { return !IsWindow(dialog); }));
}

// The report and the settings export are written by the reports subject; a console built
// without it has no writer behind these two buttons.
#if __has_include("reports/full_report.h")
const bool kReportsBuilt = true;
#else
const bool kReportsBuilt = false;
#endif

namespace {

// Waits for the Notepad the shell opened on `file` and closes it.
bool CloseNotepadOn(const char* file)
{
    HWND notepad = nullptr;
    std::string part = file;
    std::transform(part.begin(), part.end(), part.begin(), ::tolower);
    if (!WaitFor([&] { return (notepad = FindTopWindow("Notepad", part)) != nullptr; }, 15000)) return false;
    DWORD pid = 0;
    GetWindowThreadProcessId(notepad, &pid);
    HANDLE process = OpenProcess(SYNCHRONIZE, FALSE, pid);
    PostMessageA(notepad, WM_CLOSE, 0, 0);
    bool ended = process && WaitForSingleObject(process, 10000) == WAIT_OBJECT_0;
    if (process) CloseHandle(process);
    return ended;
}

}  // namespace

TEST_F(OptionsPage, FullReportWritesTheReportInTheChosenFormatAndOpensIt)
{
    if (!kReportsBuilt) GTEST_SKIP() << "this build has no reports subject behind Full Report";
    SetOption("Format", "1");
    SavedKey run(HKEY_CURRENT_USER, kRunKey);
    PutRegString(HKEY_CURRENT_USER, kRunKey, "Options Report Probe", "C:\\tools\\probe.exe");
    const std::string report = BesideTestProgram("VigilarkLog.txt");
    DeleteFileA(report.c_str());
    HWND page = Open();
    PressButton(page, IDC_FULL_REPORT);
    EXPECT_TRUE(CloseNotepadOn("VigilarkLog")) << "the text report is opened with the shell";
    EXPECT_TRUE(WaitFor([&] { return ReadWholeFile(report).find("Options Report Probe\t") != std::string::npos; }));
    EXPECT_EQ(page, ActivePage(run_.sheet)) << "the console stays on the Options page";
    DeleteFileA(report.c_str());
}

TEST_F(OptionsPage, ExportSettingsWritesTheRegistryFileAndSaysWhere)
{
    if (!kReportsBuilt) GTEST_SKIP() << "this build has no reports subject behind Export Settings";
    SetOption("StartPage", "17");
    const std::string file = BesideTestProgram((LoggedOnUser() + "-Vigilark.reg").c_str());
    DeleteFileA(file.c_str());
    HWND page = Open();
    PressButton(page, IDC_EXPORT_SETTINGS);
    HWND box = WaitForWindow(run_);
    ASSERT_NE(nullptr, box);
    std::string said = BoxText(box);
    std::string lowerSaid = said, lowerFile = file;
    std::transform(lowerSaid.begin(), lowerSaid.end(), lowerSaid.begin(), ::tolower);
    std::transform(lowerFile.begin(), lowerFile.end(), lowerFile.begin(), ::tolower);
    EXPECT_NE(std::string::npos, lowerSaid.find(lowerFile)) << said;
    PressButton(box, IDOK);
    EXPECT_TRUE(WaitFor([&] { return !IsWindow(box); }));
    // The file is the registry editor's (UTF-16 on the NT family): look for the value's name
    // in either form.
    std::string bytes = ReadWholeFile(file);
    std::string narrow;
    for (char c : bytes)
        if (c) narrow += c;
    EXPECT_NE(std::string::npos, narrow.find("\"StartPage\"=\"17\"")) << narrow.substr(0, 400);
    DeleteFileA(file.c_str());
}

namespace {

class ProOptions : public OptionsPage {
protected:
    void SetUp() override
    {
        OptionsPage::SetUp();
        DeleteRegTree(HKEY_LOCAL_MACHINE, kUsersKey);
    }
    void TearDown() override
    {
        OptionsPage::TearDown();
        DeleteRegTree(HKEY_LOCAL_MACHINE, kUsersKey);
    }
    static void PutUser(const std::string& name, const char* path, const char* hideTobrin, const char* hideAlerts)
    {
        std::string key = std::string(kUsersKey) + "\\" + name;
        PutRegString(HKEY_LOCAL_MACHINE, key, "Path", path);
        if (hideTobrin) PutRegString(HKEY_LOCAL_MACHINE, key, "HideTobrin", hideTobrin);
        if (hideAlerts) PutRegString(HKEY_LOCAL_MACHINE, key, "HideAlerts", hideAlerts);
    }
    static std::string UserValue(const std::string& name, const char* value)
    {
        return GetRegString(HKEY_LOCAL_MACHINE, std::string(kUsersKey) + "\\" + name, value);
    }
    HWND OpenDialog()
    {
        HWND page = Open();
        PressButton(page, IDC_PRO_OPTIONS);
        HWND dialog = WaitForWindow(run_);
        EXPECT_NE(nullptr, dialog);
        if (dialog) {
            EXPECT_EQ("Vigilark Professional", WindowText(dialog));
        }
        return dialog;
    }
    static std::vector<std::string> Users(HWND dialog)
    {
        std::vector<std::string> names;
        HWND combo = GetDlgItem(dialog, IDC_ADMIN_USERS);
        for (int i = 0; i < (int)SendMessageA(combo, CB_GETCOUNT, 0, 0); ++i) {
            // Wine hands an ANSI CB_GETLBTEXT to another process as wide text; the wide
            // message comes back whole.
            wchar_t wide[300] = L"";
            SendMessageW(combo, CB_GETLBTEXT, i, (LPARAM)wide);
            char name[300] = "";
            WideCharToMultiByte(CP_ACP, 0, wide, -1, name, sizeof name, nullptr, nullptr);
            names.push_back(name);
        }
        return names;
    }
    static void Select(HWND dialog, const std::string& name)
    {
        HWND combo = GetDlgItem(dialog, IDC_ADMIN_USERS);
        std::vector<std::string> names = Users(dialog);
        int index = (int)(std::find(names.begin(), names.end(), name) - names.begin());
        SendMessageA(combo, CB_SETCURSEL, index, 0);
        SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDC_ADMIN_USERS, CBN_SELCHANGE), (LPARAM)combo);
    }
    // The two boxes and whether Apply can be pressed.
    static std::string Shown(HWND dialog)
    {
        return std::string(Checked(dialog, IDC_ADMIN_HIDE_ICON) ? "icon" : "-") + "," +
               (Checked(dialog, IDC_ADMIN_HIDE_ALERTS) ? "alerts" : "-") + "," +
               (IsWindowEnabled(GetDlgItem(dialog, IDOK)) ? "apply" : "no apply");
    }
};

}  // namespace

TEST_F(ProOptions, ApplyWritesTheSelectedUsersFlagsAndReviewShowsTheHistory)
{
    const std::string me = LoggedOnUser();
    PutUser("zed", "C:\\Users\\zed", "0", "1");
    PutUser(me, "C:\\Users\\me", "2", "0");
    PutUser("ghost", "", "1", "1");  // no Path: not a configured user
    HWND dialog = OpenDialog();
    ASSERT_NE(nullptr, dialog);
    std::vector<std::string> expected = {me, "zed"};
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(expected, Users(dialog));
    EXPECT_EQ(me, WindowText(GetDlgItem(dialog, IDC_ADMIN_USERS))) << "the logged-on user is selected";
    EXPECT_EQ("icon,-,apply", Shown(dialog)) << "a flag above 0 is set";

    Select(dialog, "zed");
    EXPECT_EQ("-,alerts,apply", Shown(dialog));
    ClickBox(dialog, IDC_ADMIN_HIDE_ICON);
    ClickBox(dialog, IDC_ADMIN_HIDE_ALERTS);
    EXPECT_TRUE(WaitFor([&] { return Shown(dialog) == "icon,-,apply"; }));
    PressButton(dialog, IDOK);
    EXPECT_TRUE(WaitFor([] { return UserValue("zed", "HideTobrin") == "1"; }));
    EXPECT_EQ("0", UserValue("zed", "HideAlerts"));
    EXPECT_EQ("2", UserValue(me, "HideTobrin")) << "only the selected user is written";
    EXPECT_TRUE(IsWindowVisible(dialog)) << "Apply keeps the dialog open";
    Select(dialog, me);
    Select(dialog, "zed");
    EXPECT_EQ("icon,-,apply", Shown(dialog)) << "the record holds what was written";

    PressButton(dialog, IDC_ADMIN_REVIEW);
    HWND history = nullptr;
    ASSERT_TRUE(WaitFor([&] {
        history = FindVisibleWindow("#32770", run_.process.dwProcessId, 0, dialog);
        return history && history != run_.sheet;
    }));
    EXPECT_EQ("Vigilark History", WindowText(history));
    PressButton(history, IDOK);
    EXPECT_TRUE(WaitFor([&] { return !IsWindow(history); }));
    PressButton(dialog, IDCANCEL);
    EXPECT_TRUE(WaitFor([&] { return !IsWindow(dialog); }));
}

TEST_F(ProOptions, ApplyForAUserRemovedMeanwhileSaysSoAndMakesNoKey)
{
    PutUser("zed", "C:\\Users\\zed", "0", "0");
    HWND dialog = OpenDialog();
    ASSERT_NE(nullptr, dialog);
    DeleteRegTree(HKEY_LOCAL_MACHINE, std::string(kUsersKey) + "\\zed");
    ClickBox(dialog, IDC_ADMIN_HIDE_ICON);
    PressButton(dialog, IDOK);
    HWND box = nullptr;
    ASSERT_TRUE(WaitFor([&] { return (box = FindVisibleWindow("#32770", run_.process.dwProcessId, 0, dialog)) &&
                                     box != run_.sheet; }));
    EXPECT_NE(std::string::npos, BoxText(box).find("The options of zed could not be saved."));
    PressButton(box, IDOK);
    EXPECT_TRUE(WaitFor([&] { return !IsWindow(box); }));
    EXPECT_EQ("<missing>", UserValue("zed", "HideTobrin"));
    EXPECT_EQ("-,-,apply", Shown(dialog)) << "the boxes show what is stored";
}

TEST_F(ProOptions, WithNoUsersKeyOnlyTheLoggedOnUserIsListedAndNothingCanBeStored)
{
    HWND dialog = OpenDialog();
    ASSERT_NE(nullptr, dialog);
    EXPECT_EQ(std::vector<std::string>{LoggedOnUser()}, Users(dialog));
    EXPECT_EQ("-,-,no apply", Shown(dialog));
    PressButton(dialog, IDOK);
    SendMessageTimeoutA(dialog, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 5000, nullptr);
    HKEY key = nullptr;
    EXPECT_NE(ERROR_SUCCESS, RegOpenKeyExA(HKEY_LOCAL_MACHINE, kUsersKey, 0, KEY_READ, &key));
    if (key) RegCloseKey(key);
}

namespace {

class RestartCommands : public ::testing::Test {
protected:
    void SetUp() override
    {
        EndAllCopies();
        ASSERT_TRUE(WriteWholeFile(program_, "MZ"));
    }
    void TearDown() override
    {
        if (run_.process.hProcess) CloseConsole(run_);
        EndAllCopies();
        DeleteFileA(program_.c_str());
        SetFileAttributesA(file_.c_str(), FILE_ATTRIBUTE_NORMAL);
        DeleteFileA(file_.c_str());
    }
    HWND ShowViewer()
    {
        PostMessageA(run_.main, WM_COMMAND, CMD_SHOW_WININIT, 0);
        return WaitForWindow(run_);
    }
    std::string program_ = WindowsFile("wininit.exe"), file_ = WindowsFile("wininit.ini");
    ConsoleRun run_;
};

}  // namespace

TEST_F(RestartCommands, TheViewerListsThePendingCommandsAndDeleteCancelsThem)
{
    ASSERT_TRUE(WriteWholeFile(file_, "[rename]\r\nNUL=C:\\BAD~1.EXE\r\nC:\\NEW.DLL=C:\\OLD.DLL\r\n"));
    ASSERT_TRUE(StartConsole("-OPTION", run_));
    HWND viewer = ShowViewer();
    ASSERT_NE(nullptr, viewer);
    EXPECT_EQ("Vigilark - Windows Restart Commands", WindowText(viewer));
    std::string shown = WindowText(GetDlgItem(viewer, IDC_WININIT_TEXT));
    EXPECT_NE(std::string::npos, shown.find("NUL=C:\\BAD~1.EXE\r")) << shown;
    EXPECT_NE(std::string::npos, shown.find("C:\\NEW.DLL=C:\\OLD.DLL")) << shown;
    PressButton(viewer, IDC_WININIT_DELETE);
    EXPECT_TRUE(WaitFor([&] { return !IsWindow(viewer); }));
    EXPECT_FALSE(Exists(file_));

    // Nothing pending now: the main window says so.
    HWND box = ShowViewer();
    ASSERT_NE(nullptr, box);
    EXPECT_NE(std::string::npos, BoxText(box).find("No commands have been found in the WinInit.ini file."));
    PressButton(box, IDOK);
}

TEST_F(RestartCommands, AFileThatCannotBeDeletedIsSaidAndStaysShown)
{
    ASSERT_TRUE(WriteWholeFile(file_, "NUL=C:\\BAD~1.EXE\r\n"));
    SetFileAttributesA(file_.c_str(), FILE_ATTRIBUTE_HIDDEN);
    ASSERT_TRUE(StartConsole("-OPTION", run_));
    HWND viewer = ShowViewer();
    ASSERT_NE(nullptr, viewer);
    {
        // Another program holds the file open and does not share its deletion.
        HANDLE held = CreateFileA(file_.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
        ASSERT_NE(INVALID_HANDLE_VALUE, held);
        PressButton(viewer, IDC_WININIT_DELETE);
        HWND box = nullptr;
        bool said = WaitFor([&] { return (box = FindVisibleWindow("#32770", run_.process.dwProcessId, 0, viewer)) &&
                                         box != run_.sheet; },
                            5000);
        CloseHandle(held);
        if (!said && !Exists(file_)) GTEST_SKIP() << "this Wine deleted a file another process holds open";
        ASSERT_TRUE(said);
        EXPECT_NE(std::string::npos, BoxText(box).find("The restart commands could not be deleted."));
        PressButton(box, IDOK);
        EXPECT_TRUE(WaitFor([&] { return !IsWindow(box); }));
    }
    EXPECT_TRUE(IsWindowVisible(viewer)) << "the commands are still pending and still shown";
    EXPECT_TRUE(Exists(file_));
    EXPECT_EQ((DWORD)FILE_ATTRIBUTE_HIDDEN, GetFileAttributesA(file_.c_str()) & (FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_READONLY))
        << "the attributes are as they were";
    PressButton(viewer, IDC_WININIT_DELETE);
    EXPECT_TRUE(WaitFor([&] { return !IsWindow(viewer); }));
    EXPECT_FALSE(Exists(file_));
}
