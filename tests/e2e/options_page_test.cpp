// The Options page of the real console: its check boxes, patrol icons and tools, the admin
// options dialog, and the restart-commands viewer when its file cannot be deleted.
#include "foundations/registry.h"
#include "resource.h"
#include "support/console_driver.h"
#include "support/testing.h"
#include "support/views.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>

// The report and the settings export are written by the reports subject; a console built
// without it has no writer behind those two buttons.
#if __has_include("reports/full_report.h")
const bool kReportsBuilt = true;
#else
const bool kReportsBuilt = false;
#endif

namespace {

const char kRunKey[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";
const std::string kUsersKey = In32BitView(VIGILARK_KEY "\\Users");

std::string Lower(std::string text)
{
    std::transform(text.begin(), text.end(), text.begin(), ::tolower);
    return text;
}

std::string LoggedOnUser()
{
    char name[260] = "";
    DWORD size = sizeof name;
    GetUserNameA(name, &size);
    return name;
}

std::string HostsFile()
{
    char folder[MAX_PATH];
    GetSystemDirectoryA(folder, sizeof folder);
    return std::string(folder) + "\\drivers\\etc\\HOSTS";
}

bool ReadOnly(const std::string& path) { return (GetFileAttributesA(path.c_str()) & FILE_ATTRIBUTE_READONLY) != 0; }
bool Checked(HWND page, int id) { return SendMessageA(GetDlgItem(page, id), BM_GETCHECK, 0, 0) == BST_CHECKED; }
// A click as the mouse gives it: the box flips, then tells its dialog.
void ClickBox(HWND page, int id) { PostMessageA(GetDlgItem(page, id), BM_CLICK, 0, 0); }
void Settle(HWND window) { SendMessageTimeoutA(window, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 5000, nullptr); }

// A message box's text once it is there (it is filled after the window appears).
std::string BoxText(HWND box)
{
    std::string text;
    WaitFor([&] { return !(text = WindowText(GetDlgItem(box, 0xFFFF))).empty(); });
    return text;
}

// A dialog or box the console opened over `over`.
HWND WaitForDialogOver(const ConsoleRun& run, HWND over)
{
    HWND found = nullptr;
    WaitFor([&] { return (found = FindVisibleWindow("#32770", run.process.dwProcessId, 0, over)) && found != run.sheet; });
    return found;
}

// Waits for Notepad with `titlePart` in its title, then closes it.
bool CloseNotepad(const char* titlePart)
{
    HWND notepad = nullptr;
    if (!WaitFor([&] { return (notepad = FindWindowA("Notepad", nullptr)) != nullptr; }, 15000)) return false;
    EXPECT_NE(std::string::npos, Lower(WindowText(notepad)).find(titlePart)) << WindowText(notepad);
    DWORD pid = 0;
    GetWindowThreadProcessId(notepad, &pid);
    HANDLE process = OpenProcess(SYNCHRONIZE, FALSE, pid);
    PostMessageA(notepad, WM_CLOSE, 0, 0);
    bool ended = process && WaitForSingleObject(process, 10000) == WAIT_OBJECT_0;
    if (process) CloseHandle(process);
    return ended;
}

class OptionsPage : public ::testing::Test {
protected:
    void SetUp() override
    {
        EndAllCopies();
        hostsAttributes_ = GetFileAttributesA(HostsFile().c_str());
        SetFileAttributesA(HostsFile().c_str(), FILE_ATTRIBUTE_NORMAL);
        hosts_ = ReadWholeFile(HostsFile());
        WriteWholeFile(HostsFile(), "127.0.0.1 localhost\r\n");
    }
    void TearDown() override
    {
        if (run_.process.hProcess) CloseConsole(run_);
        EndAllCopies();
        SetFileAttributesA(HostsFile().c_str(), FILE_ATTRIBUTE_NORMAL);
        DeleteFileA(HostsFile().c_str());
        if (hostsAttributes_ != INVALID_FILE_ATTRIBUTES) {
            WriteWholeFile(HostsFile(), hosts_);
            SetFileAttributesA(HostsFile().c_str(), hostsAttributes_);
        }
    }
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
        Settle(page);
    }
    static std::string Option(const char* name) { return GetRegString(HKEY_CURRENT_USER, VIGILARK_OPTIONS_KEY, name); }
    static void SetOption(const char* name, const char* value)
    {
        PutRegString(HKEY_CURRENT_USER, VIGILARK_OPTIONS_KEY, name, value);
    }

    SavedKey options_{HKEY_CURRENT_USER, VIGILARK_OPTIONS_KEY};
    SavedKey runKey_{HKEY_LOCAL_MACHINE, kRunKey};
    ConsoleRun run_;
    std::string hosts_;
    DWORD hostsAttributes_ = INVALID_FILE_ATTRIBUTES;
};

}  // namespace

TEST_F(OptionsPage, EachBoxShowsWhatItStandsForAndAClickWritesEverySetting)
{
    SetOption("Sound", "1");
    SetOption("History", "0");
    SetOption("ConfirmExit", "7");
    HWND page = Open();
    // The first start put the monitor into the Run key: take it out behind the page's back.
    DeleteRegValue(HKEY_LOCAL_MACHINE, kRunKey, "Vigilark");
    Revisit(page);
    auto option = [](const char* name) { return [name] { return Option(name); }; };
    struct Row {
        int box;
        std::function<std::string()> state;
        bool shown;
        std::string clicked;  // the state after one click
    };
    const Row rows[] = {
        {IDC_PLAY_SOUNDS, option("Sound"), true, "0"},
        {IDC_TRACK_HISTORY, option("History"), false, "1"},
        {IDC_CONFIRM_EXIT, option("ConfirmExit"), true, "0"},
        {IDC_AUTORUN, [] { return Lower(GetRegString(HKEY_LOCAL_MACHINE, kRunKey, "Vigilark")); }, false,
         Lower(BesideTestProgram("vigilark.exe"))},
        {IDC_LOCK_HOSTS, [] { return std::string(ReadOnly(HostsFile()) ? "locked" : "open"); }, false, "locked"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.box);
        EXPECT_EQ(row.shown, Checked(page, row.box));
        SetOption("Start", "29");  // another program's change, overwritten by the console's copy
        ClickBox(page, row.box);
        EXPECT_TRUE(WaitFor([&] { return row.state() == row.clicked; })) << row.state();
        EXPECT_TRUE(WaitFor([&] { return Option("Start") != "29"; })) << "every setting is written";
        EXPECT_EQ(!row.shown, Checked(page, row.box));
    }
    // Unlocked behind the page's back under a checked box: clearing the box keeps it open
    // (inverting the file's state would lock it under a cleared box).
    SetFileAttributesA(HostsFile().c_str(), FILE_ATTRIBUTE_NORMAL);
    ClickBox(page, IDC_LOCK_HOSTS);
    EXPECT_TRUE(WaitFor([&] { return !Checked(page, IDC_LOCK_HOSTS); }));
    Settle(page);
    EXPECT_FALSE(ReadOnly(HostsFile()));
    // The monitor's Run value removed by another program shows when the page shows again.
    DeleteRegValue(HKEY_LOCAL_MACHINE, kRunKey, "Vigilark");
    Revisit(page);
    EXPECT_FALSE(Checked(page, IDC_AUTORUN));
    // At exit the console writes its own copy, which is what the boxes say.
    SetOption("Sound", "1");
    EXPECT_EQ(0, CloseConsole(run_));
    EXPECT_EQ("0", Option("Sound"));
    EXPECT_EQ("1", Option("History"));
}

TEST_F(OptionsPage, WithoutAHostsFileNothingIsLockedAndViewHostsSaysSo)
{
    ASSERT_TRUE(DeleteFileA(HostsFile().c_str()));
    HWND page = Open();
    EXPECT_FALSE(Checked(page, IDC_LOCK_HOSTS));
    EXPECT_FALSE(IsWindowEnabled(GetDlgItem(page, IDC_LOCK_HOSTS)));
    PressButton(page, IDC_LOCK_HOSTS);
    Settle(page);
    EXPECT_FALSE(Exists(HostsFile()));

    PressButton(page, IDC_VIEW_HOSTS);
    HWND box = WaitForWindow(run_);
    ASSERT_NE(nullptr, box);
    EXPECT_NE(std::string::npos, BoxText(box).find("A HOSTS file could not be located on your computer."));
    PressButton(box, IDOK);
}

TEST_F(OptionsPage, ViewHostsOpensTheFileInNotepad)
{
    PressButton(Open(), IDC_VIEW_HOSTS);
    EXPECT_TRUE(CloseNotepad("hosts"));
}

TEST_F(OptionsPage, PatrolIconsSetTheirOwnTimesAndTheRestartRowIsHiddenOnNt)
{
    SetOption("StartPage", "2");
    SetOption("HostFile", "3");
    HWND page = Open();
    EXPECT_FALSE(IsWindowVisible(GetDlgItem(page, IDC_WININIT_ICON)));
    EXPECT_FALSE(IsWindowVisible(GetDlgItem(page, IDC_WININIT_LABEL)));
    auto image = [&](int icon) { return SendMessageA(GetDlgItem(page, icon), STM_GETIMAGE, IMAGE_BITMAP, 0); };
    EXPECT_EQ(image(IDC_STARTPAGE_ICON), image(IDC_HOSTS_ICON)) << "both watches on";
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
        if (row.typed) SendMessageA(GetDlgItem(dialog, IDC_PATROL_EDIT), WM_SETTEXT, 0, (LPARAM)row.typed);
        PressButton(dialog, row.typed ? IDOK : IDCANCEL);
        EXPECT_TRUE(WaitFor([&] { return !IsWindow(dialog); }));
        EXPECT_EQ(row.stored, Option(row.setting));
    }
    EXPECT_NE(image(IDC_STARTPAGE_ICON), image(IDC_HOSTS_ICON)) << "the HOSTS watch off, the other on";
}

TEST_F(OptionsPage, TheRestartFileRowIsShownOnWindowsNinetyEight)
{
    SavedKey version(HKEY_CURRENT_USER, "Software\\Wine\\AppDefaults\\VigilarkEx.exe");
    ASSERT_TRUE(PutRegString(HKEY_CURRENT_USER, "Software\\Wine\\AppDefaults\\VigilarkEx.exe", "Version", "win98"));
    SetOption("WinInit", "5");
    HWND page = Open();
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
    PressButton(Open(), IDC_VIEW_HISTORY);
    HWND dialog = WaitForWindow(run_);
    ASSERT_NE(nullptr, dialog);
    EXPECT_EQ("Vigilark History", WindowText(dialog));
    PressButton(dialog, IDOK);
}

TEST_F(OptionsPage, FullReportWritesTheReportInTheChosenFormatAndOpensIt)
{
    if (!kReportsBuilt) GTEST_SKIP() << "this build has no reports subject behind Full Report";
    // The test prefix associates no program with .txt; Windows opens it in Notepad.
    SavedKey txt(HKEY_LOCAL_MACHINE, "Software\\Classes\\.txt");
    ASSERT_TRUE(PutRegString(HKEY_LOCAL_MACHINE, "Software\\Classes\\.txt", nullptr, "txtfile"));
    SetOption("Format", "1");
    SavedKey run(HKEY_CURRENT_USER, kRunKey);
    PutRegString(HKEY_CURRENT_USER, kRunKey, "Options Report Probe", "C:\\tools\\probe.exe");
    const std::string report = BesideTestProgram("VigilarkLog.txt");
    DeleteFileA(report.c_str());
    HWND page = Open();
    PressButton(page, IDC_FULL_REPORT);
    EXPECT_TRUE(CloseNotepad("vigilarklog")) << "the text report is opened with the shell";
    EXPECT_NE(std::string::npos, ReadWholeFile(report).find("Options Report Probe\t"));
    EXPECT_EQ(page, ActivePage(run_.sheet));
    DeleteFileA(report.c_str());
}

TEST_F(OptionsPage, ExportSettingsWritesTheRegistryFileAndSaysWhere)
{
    if (!kReportsBuilt) GTEST_SKIP() << "this build has no reports subject behind Export Settings";
    SetOption("StartPage", "17");
    const std::string file = BesideTestProgram((LoggedOnUser() + "-Vigilark.reg").c_str());
    DeleteFileA(file.c_str());
    PressButton(Open(), IDC_EXPORT_SETTINGS);
    HWND box = WaitForWindow(run_);
    ASSERT_NE(nullptr, box);
    EXPECT_NE(std::string::npos, Lower(BoxText(box)).find(Lower(file))) << BoxText(box);
    PressButton(box, IDOK);
    // UTF-16 on the NT family: the value's line in either form.
    std::string text = ReadWholeFile(file);
    text.erase(std::remove(text.begin(), text.end(), '\0'), text.end());
    EXPECT_NE(std::string::npos, text.find("\"StartPage\"=\"17\"")) << text.substr(0, 400);
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
        PutRegString(HKEY_LOCAL_MACHINE, key, "HideTobrin", hideTobrin);
        PutRegString(HKEY_LOCAL_MACHINE, key, "HideAlerts", hideAlerts);
    }
    static std::string UserValue(const std::string& name, const char* value)
    {
        return GetRegString(HKEY_LOCAL_MACHINE, std::string(kUsersKey) + "\\" + name, value);
    }
    HWND OpenDialog()
    {
        PressButton(Open(), IDC_PRO_OPTIONS);
        HWND dialog = WaitForWindow(run_);
        EXPECT_TRUE(dialog && WindowText(dialog) == "Vigilark Professional");
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
        std::vector<std::string> names = Users(dialog);
        HWND combo = GetDlgItem(dialog, IDC_ADMIN_USERS);
        SendMessageA(combo, CB_SETCURSEL, std::find(names.begin(), names.end(), name) - names.begin(), 0);
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
    Select(dialog, me);
    Select(dialog, "zed");
    EXPECT_EQ("icon,-,apply", Shown(dialog)) << "the dialog stays open and its record holds what was written";

    PressButton(dialog, IDC_ADMIN_REVIEW);
    HWND history = WaitForDialogOver(run_, dialog);
    ASSERT_NE(nullptr, history);
    EXPECT_EQ("Vigilark History", WindowText(history));
    PressButton(history, IDOK);
    EXPECT_TRUE(WaitFor([&] { return !IsWindow(history); }));
    PressButton(dialog, IDCANCEL);
}

TEST_F(ProOptions, ApplyForAUserRemovedMeanwhileSaysSoAndMakesNoKey)
{
    PutUser("zed", "C:\\Users\\zed", "0", "0");
    HWND dialog = OpenDialog();
    ASSERT_NE(nullptr, dialog);
    DeleteRegTree(HKEY_LOCAL_MACHINE, std::string(kUsersKey) + "\\zed");
    ClickBox(dialog, IDC_ADMIN_HIDE_ICON);
    PressButton(dialog, IDOK);
    HWND box = WaitForDialogOver(run_, dialog);
    ASSERT_NE(nullptr, box);
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
    Settle(dialog);
    EXPECT_EQ("<missing>", GetRegString(HKEY_LOCAL_MACHINE, std::string(kUsersKey) + "\\" + LoggedOnUser(), "Path"));
}

TEST(RestartViewer, AFileThatCannotBeDeletedIsSaidAndStaysShown)
{
    char folder[MAX_PATH];
    GetWindowsDirectoryA(folder, sizeof folder);
    const std::string program = std::string(folder) + "\\wininit.exe", file = std::string(folder) + "\\wininit.ini";
    EndAllCopies();
    ASSERT_TRUE(WriteWholeFile(program, "MZ"));
    ASSERT_TRUE(WriteWholeFile(file, "NUL=C:\\BAD~1.EXE\r\n"));
    SetFileAttributesA(file.c_str(), FILE_ATTRIBUTE_HIDDEN);
    ConsoleRun run;
    ASSERT_TRUE(StartConsole("-OPTION", run));
    PostMessageA(run.main, WM_COMMAND, CMD_SHOW_WININIT, 0);
    HWND viewer = WaitForWindow(run);
    ASSERT_NE(nullptr, viewer);
    // Another program holds the file open and does not share its deletion.
    HANDLE held = CreateFileA(file.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, held);
    PressButton(viewer, IDC_WININIT_DELETE);
    HWND box = WaitForDialogOver(run, viewer);
    CloseHandle(held);
    ASSERT_NE(nullptr, box);
    EXPECT_NE(std::string::npos, BoxText(box).find("The restart commands could not be deleted."));
    PressButton(box, IDOK);
    EXPECT_TRUE(WaitFor([&] { return !IsWindow(box); }));
    EXPECT_TRUE(IsWindowVisible(viewer)) << "the commands are still pending and still shown";
    EXPECT_EQ((DWORD)FILE_ATTRIBUTE_HIDDEN,
              GetFileAttributesA(file.c_str()) & (FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_READONLY))
        << "the attributes are as they were";
    PressButton(viewer, IDC_WININIT_DELETE);
    EXPECT_TRUE(WaitFor([&] { return !Exists(file); }));
    CloseConsole(run);
    DeleteFileA(program.c_str());
}
