// The real resident monitor Vigilark.exe, driven as a user would: an alert for each new or
// changed thing and its choices carried out, a disable that sticks, the black list, the cookie
// swap, hidden alerts, a patrol time changed from the console, and the marks on the console's
// pages. (Its history lines are the findings unit test's; their undo the startup actions'.)
#include "filetypes/filetypes.h"
#include "foundations/entries.h"
#include "foundations/handles.h"
#include "foundations/patrol_places.h"
#include "iehelpers/iehelpers.h"
#include "options/admin_users.h"
#include "options/system_files.h"
#include "processes/processes.h"
#include "scheduler/task_scheduler.h"
#include "services/services.h"
#include "shell/listview.h"
#include "shell/pages.h"
#include "startup/startup_actions.h"
#include "support/addon.h"
#include "support/console_fixture.h"
#include "support/probe.h"
#include "support/scheduled_task.h"
#include "support/test_service.h"

#include <objbase.h>

namespace {

class Monitor : public ConsoleTest {
protected:
    void SetUp() override
    {
        ConsoleTest::SetUp();
        // The base turns every patrol off; here each place keeps its default time.
        for (int place = 0; place < PatrolPlaceCount(); ++place)
            DeleteRegValue(HKEY_CURRENT_USER, VIGILARK_OPTIONS_KEY, PatrolPlaceAt(place)->setting);
        CoInitialize(nullptr);
        PutRegString(HKEY_CURRENT_USER, VIGILARK_OPTIONS_KEY, "Sound", "0");
        PutRegString(HKEY_CURRENT_USER, VIGILARK_OPTIONS_KEY, "Start", "2");
        // The first run is over (no program records everything as known at its start), and
        // what is there now is the baseline: what the test plants after it is new.
        PutRegString(HKEY_CURRENT_USER, VIGILARK_KEY, "", "2026-01-01   00:00");
        PutRegString(HKEY_CURRENT_USER, VIGILARK_KEY "\\Services", "", "2026-01-01   00:00");
        DeleteFileA(BesideTestProgram("HOSTS.saved").c_str());  // the first patrol records the file as it is
        RecordKnownStartupEntries();
        RecordKnownIeHelpers();
        RecordKnownServices();
    }
    void TearDown() override
    {
        StopMonitor(monitor_);
        ConsoleTest::TearDown();
        CoUninitialize();
    }
    std::string Run(const char* name) { return GetRegString(HKEY_CURRENT_USER, kRunKey, name); }

    SavedKey known_{HKEY_CURRENT_USER, VIGILARK_KEY "\\Run"};
    MonitorRun monitor_;
};

}  // namespace

TEST_F(Monitor, ANewStartupEntryIsDisabledFromItsAlertAndStaysDisabled)
{
    ASSERT_TRUE(StartMonitor(monitor_));
    PutRegString(HKEY_CURRENT_USER, kRunKey, "Vgk Watched", "C:\\vgk\\watched.exe /run");
    HWND alert = WaitForAlert(monitor_, IDS_ALERT_STARTUP, "Vgk Watched");
    ASSERT_NE(nullptr, alert);
    EXPECT_EQ("C:\\vgk\\watched.exe /run", AlertText(alert, IDC_ALERT_COMMAND));
    EXPECT_NE(std::string::npos, AlertText(alert, IDC_ALERT_LOCATION).find("HKEY_CURRENT_USER\\"));
    EXPECT_EQ(1, WaitForHistory("START_Alert\tCURRENT_RUN\tVgk Watched\t"));
    ASSERT_TRUE(ChooseInAlert(alert, IDC_ALERT_DISABLE));
    EXPECT_EQ("<missing>", Run("Vgk Watched"));
    EXPECT_EQ(1, WaitForHistory("START_Disable\tCURRENT_RUN\tVgk Watched\t"));

    // The program puts itself back: disabled again at once, without asking, with a line.
    PutRegString(HKEY_CURRENT_USER, kRunKey, "Vgk Watched", "C:\\vgk\\watched.exe /again");
    EXPECT_EQ(2, WaitForHistory("START_Disable\tCURRENT_RUN\tVgk Watched\t", 2));
    EXPECT_EQ("<missing>", Run("Vgk Watched"));
    EXPECT_EQ(1, WaitForHistory("START_Alert\tCURRENT_RUN\tVgk Watched\t")) << "never alerted again";
}

TEST_F(Monitor, ANewAddOnTaskAndServiceAreEachAlerted)
{
    // Earlier tests may have left the add-on, and a first run may have recorded it: a clean baseline.
    RemoveAddonRegistrations();
    RemoveScheduledTask("Vgk Watched Task");
    DeleteRegTree(HKEY_CURRENT_USER, VIGILARK_KEY "\\IEHelpers");
    RecordKnownIeHelpers();
    RecordKnownTasks();
    ASSERT_TRUE(InstallAddon(AddonPath()));
    ASSERT_TRUE(CreateScheduledTask({"Vgk Watched Task", "C:\\vgk\\task.exe", "", true}));
    TestService service("VgkWatchedSvc", "Vgk Watched Service");
    ASSERT_TRUE(service.Registered());
    ASSERT_TRUE(StartMonitor(monitor_));
    // Alerts come in the order of the places: add-ons, tasks, services.
    EXPECT_NE(nullptr, WaitForAlert(monitor_, IDS_ALERT_IEHELPER));
    HWND alert = WaitForAlert(monitor_, IDS_ALERT_TASK, "Vgk Watched Task.job");
    ASSERT_NE(nullptr, alert);
    ASSERT_TRUE(ChooseInAlert(alert, IDC_ALERT_REMOVE));
    EXPECT_FALSE(Exists(TaskFile("Vgk Watched Task")));
    alert = WaitForAlert(monitor_, IDS_ALERT_SERVICE, "Vgk Watched Service");
    ASSERT_NE(nullptr, alert);
    EXPECT_EQ("Not signed", AlertText(alert, IDC_ALERT_SIGNATURE));  // the test service's program
    ASSERT_TRUE(ChooseInAlert(alert, IDC_ALERT_ALLOW));
    EXPECT_EQ(1, WaitForHistory("MONITOR_Allow\tSERVICE_EXE\tVgk Watched Service\t"));
    EXPECT_EQ(1, WaitForHistory("ScheduledTask_Remove\tTASK_SCHEDULED\tVgk Watched Task.job\t"));
    StopMonitor(monitor_);
    RemoveAddonRegistrations();
    RemoveScheduledTask("Vgk Watched Task");
}

TEST_F(Monitor, AChangedFileTypeAndHostsFileAreRestoredByteForByte)
{
    const std::string classKey = "Software\\Classes\\vgktfile\\shell\\open\\command";
    const std::string command = "\"%ProgramFiles%\\Vgk\\view.exe\" \"%1\"";
    ASSERT_TRUE(PutRegString(HKEY_LOCAL_MACHINE, "Software\\Classes\\.vgkt", "", "vgktfile"));
    ASSERT_TRUE(PutRegString(HKEY_LOCAL_MACHINE, classKey, "", command, REG_EXPAND_SZ));
    CreateFileTypeSnapshot();
    ASSERT_EQ(0u, AddMonitoredType("vgkt"));
    char hosts[MAX_PATH];
    HostsPath(hosts, sizeof hosts);
    SavedKey hostFile(HKEY_CURRENT_USER, VIGILARK_KEY "\\HostFile");
    PutRegString(HKEY_CURRENT_USER, VIGILARK_KEY "\\HostFile", "Locked", "0");  // no lock to put back
    SetFileAttributesA(hosts, FILE_ATTRIBUTE_NORMAL);
    const std::string saved = ReadWholeFile(hosts);
    const std::string original = "127.0.0.1\tlocalhost\r\n# as the user left it\r\n";
    ASSERT_TRUE(WriteWholeFile(hosts, original));
    DeleteFileA(BesideTestProgram("HOSTS.saved").c_str());

    ASSERT_TRUE(StartMonitor(monitor_));
    ASSERT_TRUE(WaitFor([&] { return ReadWholeFile(BesideTestProgram("HOSTS.saved")) == original; }));
    ASSERT_TRUE(WriteWholeFile(hosts, "10.6.6.6 bank.example\r\n"));  // the folder's watch sees it
    HWND alert = WaitForAlert(monitor_, IDS_ALERT_HOSTS);
    ASSERT_NE(nullptr, alert);
    ASSERT_TRUE(ChooseInAlert(alert, IDC_ALERT_RESTORE));
    EXPECT_EQ(original, ReadWholeFile(hosts));

    WriteRegRaw(HKEY_LOCAL_MACHINE, classKey.c_str(), "", std::string("evil.exe %1", 12), REG_SZ);
    PatrolNow(monitor_);
    alert = WaitForAlert(monitor_, IDS_ALERT_FILETYPE, ".vgkt");
    ASSERT_NE(nullptr, alert);
    ASSERT_TRUE(ChooseInAlert(alert, IDC_ALERT_RESTORE));
    std::string data;
    DWORD type = 0;
    ASSERT_TRUE(ReadRegRaw(HKEY_LOCAL_MACHINE, classKey.c_str(), "", data, &type));
    EXPECT_EQ(command, data.c_str());
    EXPECT_EQ(DWORD(REG_EXPAND_SZ), type);
    EXPECT_EQ(1, WaitForHistory("MONITOR_Restore\tTYPE_HOSTS\tHOSTS\t"));
    EXPECT_EQ(1, WaitForHistory("MONITOR_Restore\tTYPE_FILETYPE\t.vgkt\t"));

    // "Lock HOSTS file" is on: a lost lock is put back.
    PutRegString(HKEY_CURRENT_USER, VIGILARK_KEY "\\HostFile", "Locked", "1");
    PatrolNow(monitor_);
    EXPECT_TRUE(WaitFor([&] { return (GetFileAttributesA(hosts) & FILE_ATTRIBUTE_READONLY) != 0; }));
    StopMonitor(monitor_);
    SetFileAttributesA(hosts, FILE_ATTRIBUTE_NORMAL);
    RemoveMonitoredType("vgkt");
    DeleteRegTree(HKEY_LOCAL_MACHINE, "Software\\Classes\\.vgkt");
    DeleteRegTree(HKEY_LOCAL_MACHINE, "Software\\Classes\\vgktfile");
    WriteWholeFile(hosts, saved);
}

TEST_F(Monitor, TheFilteredCookieFileIsPutInPlaceOnlyWhenNoProgramHoldsIt)
{
    const std::string folder = TempPath("vgk-mozilla");
    const std::string ie = TempPath("vgk-iecookies");
    CreateDirectoryA(folder.c_str(), nullptr);
    CreateDirectoryA(ie.c_str(), nullptr);
    const std::string cookies = folder + "\\cookies.txt";
    ASSERT_TRUE(WriteWholeFile(cookies, "old\tcookie\n"));
    ASSERT_TRUE(WriteWholeFile(folder + "\\cookiesnew.txt", "new\tcookie\n"));
    DeleteFileA((folder + "\\cookies.bak").c_str());
    ASSERT_TRUE(WriteWholeFile(ie + "\\index.dat", "x"));
    SavedKey program(HKEY_CURRENT_USER, VIGILARK_KEY);
    SavedKey words(HKEY_CURRENT_USER, VIGILARK_KEY "\\Nuts");
    PutRegString(HKEY_CURRENT_USER, VIGILARK_KEY, "CookieFolder", folder);
    PutRegString(HKEY_CURRENT_USER, VIGILARK_KEY, "IECookieFolder", ie + "\\");
    PutRegString(HKEY_CURRENT_USER, VIGILARK_KEY "\\Nuts", "vgkcrumb", "1");
    PutRegString(HKEY_CURRENT_USER, VIGILARK_OPTIONS_KEY, "Nuts", "9");
    // Each cookie patrol filters Internet Explorer's cookies: a crumb gone says one has run.
    auto crumb = [&](int n) { return ie + "\\root@vgkcrumb" + std::to_string(n) + "[1].txt"; };
    ASSERT_TRUE(WriteWholeFile(crumb(0), "c"));
    ASSERT_TRUE(StartMonitor(monitor_));
    ASSERT_TRUE(WaitFor([&] { return !Exists(crumb(0)); }));
    {
        ScopedHandle browser(CreateFileA(cookies.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr));
        ASSERT_TRUE(browser.valid());
        ASSERT_TRUE(WriteWholeFile(crumb(1), "c"));
        PutRegString(HKEY_CURRENT_USER, VIGILARK_OPTIONS_KEY, "UpdateCookieFile", "1");
        ASSERT_TRUE(WaitFor([&] { return !Exists(crumb(1)); }));
        EXPECT_EQ("1", GetRegString(HKEY_CURRENT_USER, VIGILARK_OPTIONS_KEY, "UpdateCookieFile"));
        EXPECT_FALSE(Exists(folder + "\\cookies.bak"));
    }
    EXPECT_EQ("old\tcookie\n", ReadWholeFile(cookies));
    ASSERT_TRUE(WriteWholeFile(crumb(2), "c"));
    PatrolNow(monitor_);
    ASSERT_TRUE(WaitFor([&] { return !Exists(crumb(2)); }));
    EXPECT_EQ("new\tcookie\n", ReadWholeFile(cookies));
    EXPECT_EQ("old\tcookie\n", ReadWholeFile(folder + "\\cookies.bak"));
    EXPECT_FALSE(Exists(folder + "\\cookiesnew.txt"));
    EXPECT_EQ("0", GetRegString(HKEY_CURRENT_USER, VIGILARK_OPTIONS_KEY, "UpdateCookieFile"));
}

TEST_F(Monitor, ARunningBlackListedProgramIsEndedAndItsValueWritten)
{
    Probe probe(TempPath("vgk-black\\blacklisted.exe"));
    ASSERT_TRUE(probe.Started());
    SavedKey blacklist(HKEY_CURRENT_USER, BLACKLIST_KEY);
    PutRegString(HKEY_CURRENT_USER, BLACKLIST_KEY, probe.Path().c_str(), "not yet");
    ASSERT_TRUE(StartMonitor(monitor_));
    EXPECT_TRUE(probe.EndsWithin(10000));
    // The time of the kill stamped, and the history line, as the processes integration test pins.
    EXPECT_TRUE(WaitFor([&] { return GetRegString(HKEY_CURRENT_USER, BLACKLIST_KEY, probe.Path().c_str()) != "not yet"; }));
}

TEST_F(Monitor, HiddenAlertsOpenNoWindowButWriteTheirLine)
{
    char user[ADMIN_USER_CHARS];
    ASSERT_GT(LoggedOnUserName(user, sizeof user), 0);
    const std::string userKey = In32BitView(std::string(VIGILARK_USERS_KEY "\\") + user);
    PutRegString(HKEY_LOCAL_MACHINE, userKey, "Path", "C:\\vgk");
    PutRegString(HKEY_LOCAL_MACHINE, userKey, "HideAlerts", "1");
    ASSERT_TRUE(StartMonitor(monitor_));
    PutRegString(HKEY_CURRENT_USER, kRunKey, "Vgk Quiet", "C:\\vgk\\quiet.exe");
    EXPECT_EQ(1, WaitForHistory("START_Alert\tCURRENT_RUN\tVgk Quiet\t"));
    // The tooltip (also the window's title) counts it once the patrol step is over.
    EXPECT_TRUE(WaitFor([&] { return WindowText(monitor_.window).find(" 0 not shown") == std::string::npos &&
                                     WindowText(monitor_.window).find("not shown") != std::string::npos; }));
    EXPECT_FALSE(AlertOpen(monitor_)) << "no window, only the line";
    DeleteRegTree(HKEY_LOCAL_MACHINE, userKey);
}

TEST_F(Monitor, APatrolTimeSetInTheConsoleTakesEffectWithoutARestart)
{
    PutRegString(HKEY_CURRENT_USER, VIGILARK_OPTIONS_KEY, "Start", "0");
    ASSERT_TRUE(StartMonitor(monitor_));
    ASSERT_TRUE(WaitFor([&] { return WindowText(monitor_.window) != Text(IDS_TRAY_IDLE); })) << "its first patrol";
    PutRegString(HKEY_CURRENT_USER, kRunKey, "Vgk Later", "C:\\vgk\\later.exe");
    // What the Startup page's Monitor icon does: the setting, then "Update" = "1".
    PutRegString(HKEY_CURRENT_USER, VIGILARK_OPTIONS_KEY, "Start", "3");
    PutRegString(HKEY_CURRENT_USER, VIGILARK_OPTIONS_KEY, "Update", "1");
    EXPECT_NE(nullptr, WaitForAlert(monitor_, IDS_ALERT_STARTUP, "Vgk Later"));
    EXPECT_EQ("0", GetRegString(HKEY_CURRENT_USER, VIGILARK_OPTIONS_KEY, "Update"));
}

TEST_F(Monitor, TheStartupPageMarksWhatTheMonitorDoesNotKnowUntilItIsAllowed)
{
    PutRegString(HKEY_CURRENT_USER, kRunKey, "Vgk Known", "C:\\vgk\\known.exe");
    RecordKnownStartupProgram("C:\\vgk\\known.exe", KIND_CURRENT_RUN);
    PutRegString(HKEY_CURRENT_USER, kRunKey, "Vgk Unknown", "C:\\vgk\\unknown.exe");
    Open();
    ASSERT_GE(Row("Vgk Unknown"), 0);
    EXPECT_TRUE(RowMarkedNotKnown(list_, Row("Vgk Unknown")));
    EXPECT_FALSE(RowMarkedNotKnown(list_, Row("Vgk Known")));

    // The page started the monitor; Allow in its alert takes the mark away.
    ASSERT_TRUE(FindMonitor(monitor_));
    HWND alert = WaitForAlert(monitor_, IDS_ALERT_STARTUP, "Vgk Unknown");
    ASSERT_NE(nullptr, alert);
    ASSERT_TRUE(ChooseInAlert(alert, IDC_ALERT_ALLOW));
    PostMessageA(page_, MSG_REFILL, 0, 0);
    EXPECT_TRUE(WaitFor([&] { return Row("Vgk Unknown") >= 0 && !RowMarkedNotKnown(list_, Row("Vgk Unknown")); }));
}

TEST_F(Monitor, ItsMenuOpensTheConsoleOnAPageAndExitAsksFirstWhenConfirmExitIsOn)
{
    SetOption("ConfirmExit", "1");
    ASSERT_TRUE(StartMonitor(monitor_));
    PostMessageA(monitor_.window, WM_COMMAND, CMD_SERVICES_PAGE, 0);
    ASSERT_TRUE(WaitFor([&] { return (run_.main = FindWindowA("VigilarkEx", nullptr)) != nullptr; }, 15000));
    GetWindowThreadProcessId(run_.main, &run_.process.dwProcessId);
    run_.process.hProcess = OpenProcess(PROCESS_ALL_ACCESS, FALSE, run_.process.dwProcessId);
    ASSERT_TRUE(WaitFor([&] { return (run_.sheet = FindSheet(run_.main)) && ActivePage(run_.sheet); }, 15000));
    EXPECT_EQ(" Services ", ActiveTabText(run_));
    EXPECT_EQ(0, CloseConsole(run_));

    for (int answer : {IDNO, IDYES}) {
        PostMessageA(monitor_.window, WM_COMMAND, IDC_TRAY_EXIT, 0);
        HWND box = nullptr;
        ASSERT_TRUE(WaitFor([&] { return (box = FindVisibleWindow("#32770", monitor_.process.dwProcessId)) != nullptr; }));
        EXPECT_EQ(Text(IDS_MONITOR_CONFIRM_EXIT), BoxText(box));
        PressButton(box, answer);
        EXPECT_EQ(answer == IDYES, WaitForSingleObject(monitor_.process.hProcess, answer == IDYES ? 10000 : 500) == WAIT_OBJECT_0);
    }
}
