// The Options page of the real console: its check boxes, the HOSTS file's buttons, and the
// buttons that reach Full Report, Export Settings (whose files the report integration tests pin)
// and the admin options dialog. Its patrol icons are tested with the console's Monitor icons.
#include "support/console_fixture.h"

#include <shlwapi.h>

#include <functional>

namespace {

bool Has(const std::string& text, const std::string& part) { return StrStrIA(text.c_str(), part.c_str()) != nullptr; }

std::string HostsFile()
{
    char folder[MAX_PATH];
    GetSystemDirectoryA(folder, sizeof folder);
    return std::string(folder) + "\\drivers\\etc\\HOSTS";
}

// The monitor's Run value; "the monitor" when it is the program beside this one (in any case).
std::string MonitorRunValue()
{
    std::string value = GetRegString(HKEY_LOCAL_MACHINE, kRunKey, "Vigilark");
    return lstrcmpiA(value.c_str(), BesideTestProgram("vigilark.exe").c_str()) ? value : "the monitor";
}

bool ReadOnly(const std::string& path) { return (GetFileAttributesA(path.c_str()) & FILE_ATTRIBUTE_READONLY) != 0; }
bool Checked(HWND page, int id) { return SendMessageA(GetDlgItem(page, id), BM_GETCHECK, 0, 0) == BST_CHECKED; }
// A click as the mouse gives it: the box flips, then tells its dialog.
void ClickBox(HWND page, int id) { PostMessageA(GetDlgItem(page, id), BM_CLICK, 0, 0); }
void Settle(HWND window) { SendMessageTimeoutA(window, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 5000, nullptr); }

// Waits for Notepad with `titlePart` in its title and closes it; true when it was there.
bool CloseNotepad(const char* titlePart)
{
    HWND notepad = nullptr;
    if (!WaitFor([&] { return (notepad = FindWindowA("Notepad", nullptr)) != nullptr; }, 15000)) return false;
    EXPECT_TRUE(Has(WindowText(notepad), titlePart)) << WindowText(notepad);
    return CloseWindowsOfClass("Notepad") == 1;
}

class OptionsPage : public ConsoleTest {
protected:
    void SetUp() override
    {
        ConsoleTest::SetUp();
        hostsAttributes_ = GetFileAttributesA(HostsFile().c_str());
        SetFileAttributesA(HostsFile().c_str(), FILE_ATTRIBUTE_NORMAL);
        hosts_ = ReadWholeFile(HostsFile());
        WriteWholeFile(HostsFile(), "127.0.0.1 localhost\r\n");
    }
    void TearDown() override
    {
        ConsoleTest::TearDown();
        SetFileAttributesA(HostsFile().c_str(), FILE_ATTRIBUTE_NORMAL);
        DeleteFileA(HostsFile().c_str());
        if (hostsAttributes_ != INVALID_FILE_ATTRIBUTES) {
            WriteWholeFile(HostsFile(), hosts_);
            SetFileAttributesA(HostsFile().c_str(), hostsAttributes_);
        }
    }
    // Leaves the page and comes back: what it shows is read again.
    void Revisit()
    {
        SelectTab(run_.sheet, 0);
        EXPECT_TRUE(WaitFor([&] { return ActiveTab(run_.sheet) == 0; }));
        SelectTab(run_.sheet, TabCount(run_.sheet) - 1);
        EXPECT_TRUE(WaitFor([&] { return ActivePage(run_.sheet) == page_; }));
        Settle(page_);
    }

    SavedKey runKey_{HKEY_LOCAL_MACHINE, kRunKey};
    std::string hosts_;
    DWORD hostsAttributes_ = INVALID_FILE_ATTRIBUTES;
};

}  // namespace

TEST_F(OptionsPage, EachBoxShowsWhatItStandsForAndAClickWritesEverySetting)
{
    SetOption("Sound", "1");
    SetOption("History", "0");
    SetOption("ConfirmExit", "7");
    Open("-OPTION");
    // The first start put the monitor into the Run key: take it out behind the page's back.
    DeleteRegValue(HKEY_LOCAL_MACHINE, kRunKey, "Vigilark");
    Revisit();
    auto option = [](const char* name) { return [name] { return Option(name); }; };
    const struct {
        int box;
        std::function<std::string()> state;
        bool shown;
        std::string clicked;  // the state after one click
    } rows[] = {
        {IDC_PLAY_SOUNDS, option("Sound"), true, "0"},
        {IDC_TRACK_HISTORY, option("History"), false, "1"},
        {IDC_CONFIRM_EXIT, option("ConfirmExit"), true, "0"},
        {IDC_AUTORUN, MonitorRunValue, false, "the monitor"},
        {IDC_LOCK_HOSTS, [] { return std::string(ReadOnly(HostsFile()) ? "locked" : "open"); }, false, "locked"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.box);
        EXPECT_EQ(row.shown, Checked(page_, row.box));
        SetOption("Start", "29");  // another program's change, overwritten by the console's copy
        ClickBox(page_, row.box);
        EXPECT_TRUE(WaitFor([&] { return row.state() == row.clicked; })) << row.state();
        EXPECT_TRUE(WaitFor([&] { return Option("Start") != "29"; })) << "every setting is written";
        EXPECT_EQ(!row.shown, Checked(page_, row.box));
    }
    // Unlocked behind the page's back under a checked box: clearing the box keeps it open
    // (inverting the file's state would lock it under a cleared box).
    SetFileAttributesA(HostsFile().c_str(), FILE_ATTRIBUTE_NORMAL);
    ClickBox(page_, IDC_LOCK_HOSTS);
    EXPECT_TRUE(WaitFor([&] { return !Checked(page_, IDC_LOCK_HOSTS); }));
    Settle(page_);
    EXPECT_FALSE(ReadOnly(HostsFile()));
}

TEST_F(OptionsPage, ViewHostsOpensTheFileInNotepad)
{
    Open("-OPTION");
    PressButton(page_, IDC_VIEW_HOSTS);
    EXPECT_TRUE(CloseNotepad("hosts"));
}

TEST_F(OptionsPage, FullReportExportSettingsAndProOptionsAreReached)
{
    SavedKey html(HKEY_LOCAL_MACHINE, "Software\\Classes\\.html");
    html.Clear();  // no program opens the report: the console names it in a message
    SetOption("Format", "0");
    const std::string report = BesideTestProgram("VigilarkLog.html");
    char user[260] = "";
    DWORD size = sizeof user;
    GetUserNameA(user, &size);
    const std::string exported = BesideTestProgram((std::string(user) + "-Vigilark.reg").c_str());
    DeleteFileA(exported.c_str());
    Open("-OPTION");
    PressButton(page_, IDC_FULL_REPORT);
    EXPECT_NE(std::string::npos, AnswerBox(IDOK).find(report));
    DeleteFileA(report.c_str());
    PressButton(page_, IDC_EXPORT_SETTINGS);
    std::string told = AnswerBox(IDOK);
    EXPECT_TRUE(Has(told, exported)) << told;
    EXPECT_TRUE(Exists(exported)) << "what it holds is the report integration test's";
    DeleteFileA(exported.c_str());
    // The admin options dialog is its integration test's; here, the button opens it.
    PressButton(page_, IDC_PRO_OPTIONS);
    HWND dialog = WaitForDialog();
    ASSERT_NE(nullptr, dialog);
    EXPECT_EQ("Vigilark Professional", WindowText(dialog));
    PressButton(dialog, IDCANCEL);
    EXPECT_TRUE(WaitGone(dialog));
}
