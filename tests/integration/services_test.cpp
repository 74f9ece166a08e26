// Services against the prefix's registry and its real service control manager: a service of
// the tests' own is listed, interrogated, stopped and given another start type; hostile
// registry entries; the rights asked for; the Status sort; the Properties dialog's refusals;
// the report section and the record made when the Services key is new.
#include "app/start.h"
#include "foundations/entries.h"
#include "foundations/registry.h"
#include "foundations/text.h"
#include "history/history.h"
#include "resource.h"
#include "services/service_text.h"
#include "services/services.h"
#include "shell/listview.h"
#include "shell/properties_dialog.h"
#include "shell/report_sections.h"
#include "shell_fixture.h"
#include "support/import_hook.h"
#include "support/test_service.h"

#include <gtest/gtest.h>
#include <sddl.h>

#include <string>

using namespace shell_fixture;

namespace {

const char kServicesKey[] = "SYSTEM\\CurrentControlSet\\Services";

// What this program asks of the service control manager, seen through its import table.
struct ScmCalls {
    DWORD managerAccess = 0;
    DWORD serviceAccess = 0;
    int calls = 0;
};
ScmCalls g_scm;
decltype(&OpenSCManagerA) g_openManager;
decltype(&OpenServiceA) g_openService;
decltype(&ControlService) g_control;
decltype(&GetServiceKeyNameA) g_keyName;

SC_HANDLE WINAPI RecordOpenManager(LPCSTR machine, LPCSTR database, DWORD access)
{
    g_scm.managerAccess |= access;
    ++g_scm.calls;
    return g_openManager(machine, database, access);
}
SC_HANDLE WINAPI RecordOpenService(SC_HANDLE manager, LPCSTR name, DWORD access)
{
    g_scm.serviceAccess |= access;
    ++g_scm.calls;
    return g_openService(manager, name, access);
}
BOOL WINAPI RecordControl(SC_HANDLE service, DWORD control, LPSERVICE_STATUS status)
{
    ++g_scm.calls;
    return g_control(service, control, status);
}
BOOL WINAPI RecordKeyName(SC_HANDLE manager, LPCSTR display, LPSTR key, LPDWORD size)
{
    ++g_scm.calls;
    return g_keyName(manager, display, key, size);
}

// Starts recording (the hooks are put in once); returns false when they could not be.
bool RecordScmCalls()
{
    static bool hooked = HookImport("advapi32.dll", "OpenSCManagerA", &RecordOpenManager, &g_openManager) &&
                         HookImport("advapi32.dll", "OpenServiceA", &RecordOpenService, &g_openService) &&
                         HookImport("advapi32.dll", "ControlService", &RecordControl, &g_control) &&
                         HookImport("advapi32.dll", "GetServiceKeyNameA", &RecordKeyName, &g_keyName);
    g_scm = ScmCalls();
    return hooked;
}

int FindEntry(const char* title)
{
    for (int index = 0; index < EntryCount(); ++index) {
        char text[ENTRY_TITLE_CHARS];
        GetEntryTitle(index, text);
        if (SameText(text, title)) return index;
    }
    return -1;
}

int FindEntryByPath(const std::string& path)
{
    for (int index = 0; index < EntryCount(); ++index) {
        char text[ENTRY_PATH_CHARS];
        GetEntryPath(index, text);
        if (SameText(text, path.c_str())) return index;
    }
    return -1;
}

std::string HistoryText()
{
    char path[MAX_PATH];
    HistoryFilePath(path, sizeof path);
    return ReadWholeFile(path);
}

void ForgetHistory()
{
    char path[MAX_PATH];
    HistoryFilePath(path, sizeof path);
    DeleteFileA(path);
}

// From the helper thread: presses a button of the Properties dialog, reads the message box
// that follows, answers it and closes the dialog. The box's text, empty when none came.
std::string PressAndAnswerBox(HWND dialog, int button)
{
    PostMessageA(dialog, WM_COMMAND, button, 0);
    HWND message = nullptr;
    std::string text;
    if (WaitFor([&] {
            return (message = FindVisibleWindow("#32770", 0, GetWindowThreadProcessId(dialog, nullptr), dialog)) !=
                   nullptr;
        })) {
        WaitFor([&] { return !TextOf(GetDlgItem(message, 0xFFFF)).empty(); });
        text = TextOf(GetDlgItem(message, 0xFFFF));
        PostMessageA(message, WM_COMMAND, IDOK, 0);
        WaitFor([&] { return !IsWindow(message); });
    }
    PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
    return text;
}

class Services : public ::testing::Test {
protected:
    void SetUp() override
    {
        InitControls();
        InstallSubjectTables();
        ForgetHistory();
    }
    void TearDown() override
    {
        FreeEntries();
        ForgetHistory();
    }
};

}  // namespace

TEST_F(Services, ARealServiceIsListedRunningAndStoppedWithTheLeastRights)
{
    TestService service("VkTestSvcList", "Vigilark Test Service List");
    ASSERT_TRUE(service.Registered());
    ASSERT_TRUE(service.Start());
    const char* title = service.DisplayName().c_str();

    ASSERT_TRUE(RecordScmCalls());
    EnumerateServicesWithStates();
    EXPECT_EQ((DWORD)SC_MANAGER_CONNECT, g_scm.managerAccess);
    EXPECT_EQ((DWORD)(SERVICE_QUERY_STATUS | SERVICE_INTERROGATE), g_scm.serviceAccess);
    int index = FindEntry(title);
    ASSERT_GE(index, 0);
    EntryCopy entry;
    CopyEntry(index, entry);
    EXPECT_EQ(KIND_SERVICE_EXE, entry.kind);
    EXPECT_EQ((DWORD)SERVICE_RUNNING, StateOfValue((DWORD)entry.value));
    EXPECT_STREQ("Manual", entry.extra);
    EXPECT_TRUE(SameText(entry.path, TestService::Program().c_str())) << entry.path;

    char text[64];
    RecordScmCalls();
    EXPECT_EQ((DWORD)SERVICE_RUNNING, StateOfValue(ServiceStateText(title, text, sizeof text)));
    EXPECT_STREQ("Running", text);
    EXPECT_EQ((DWORD)SC_MANAGER_CONNECT, g_scm.managerAccess);
    EXPECT_EQ((DWORD)(SERVICE_QUERY_STATUS | SERVICE_INTERROGATE), g_scm.serviceAccess);
    EXPECT_NE(0u, ServiceControlsAccepted(title) & SERVICE_ACCEPT_STOP);

    RecordScmCalls();
    EXPECT_TRUE(SendServiceControl(title, SERVICE_CONTROL_STOP));
    EXPECT_EQ((DWORD)SERVICE_STOP, g_scm.serviceAccess);
    ASSERT_TRUE(service.WaitForState(SERVICE_STOPPED));
    // A stopped service does not answer an interrogation: its state is not read.
    EXPECT_EQ(0u, ServiceStateText(title, text, sizeof text));
    EXPECT_STREQ("Stopped", text);
    EXPECT_FALSE(SendServiceControl(title, SERVICE_CONTROL_STOP));
    EXPECT_EQ(0u, QueryServiceState("No Service Has This Display Name"));
}

TEST_F(Services, TheStartTypeIsReadAndWrittenOnTheRealService)
{
    TestService service("VkTestSvcStart", "Vigilark Test Service Start");
    ASSERT_TRUE(service.Registered());
    const char* title = service.DisplayName().c_str();
    EXPECT_EQ((DWORD)SERVICE_DEMAND_START, GetServiceStartType(title));
    EXPECT_EQ(1, SetServiceStartType(title, SERVICE_DISABLED));
    EXPECT_EQ((DWORD)SERVICE_DISABLED, service.RegistryStart());
    EXPECT_EQ((DWORD)SERVICE_DISABLED, GetServiceStartType(title));
    EXPECT_EQ(0, SetServiceStartType("No Service Has This Display Name", SERVICE_AUTO_START));
    EXPECT_EQ(0u, GetServiceStartType("No Service Has This Display Name"));
}

TEST_F(Services, ARefusedStartTypeWriteIsAFailureWithNoHistory)
{
    TestService service("VkTestSvcLocked", "Vigilark Test Service Locked");
    ASSERT_TRUE(service.Registered());
    std::string subkey = std::string(kServicesKey) + "\\" + service.KeyName();
    HKEY key = nullptr;
    ASSERT_EQ(ERROR_SUCCESS, RegOpenKeyExA(HKEY_LOCAL_MACHINE, subkey.c_str(), 0, READ_CONTROL | WRITE_DAC, &key));
    // Everyone may read the key, nobody may set a value.
    PSECURITY_DESCRIPTOR locked = nullptr;
    ASSERT_TRUE(ConvertStringSecurityDescriptorToSecurityDescriptorA("D:P(A;;KR;;;WD)", SDDL_REVISION_1, &locked,
                                                                     nullptr));
    ASSERT_EQ(ERROR_SUCCESS, RegSetKeySecurity(key, DACL_SECURITY_INFORMATION, locked));
    LocalFree(locked);
    HKEY probe = nullptr;
    bool enforced = RegOpenKeyExA(HKEY_LOCAL_MACHINE, subkey.c_str(), 0, KEY_SET_VALUE, &probe) != ERROR_SUCCESS;
    if (probe) RegCloseKey(probe);

    EnumerateServicesWithStates();
    int index = FindEntry(service.DisplayName().c_str());
    ASSERT_GE(index, 0);
    std::string box;
    if (enforced) {
        RunWithDialog([&] { ShowPropertiesFor(nullptr, index); return 0; },
                      [&](HWND dialog) {
                          HWND list = GetDlgItem(dialog, IDC_PROP_STARTTYPE);
                          SendMessageA(list, CB_SETCURSEL, 0, 0);  // Automatic
                          SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDC_PROP_STARTTYPE, CBN_SELCHANGE), (LPARAM)list);
                          EXPECT_TRUE(IsWindowEnabled(GetDlgItem(dialog, IDC_PROP_APPLY)));
                          box = PressAndAnswerBox(dialog, IDC_PROP_APPLY);
                      });
        EXPECT_EQ(0, SetServiceStartType(service.DisplayName().c_str(), SERVICE_AUTO_START));
    }
    // Let the key be written and deleted again.
    PSECURITY_DESCRIPTOR open = nullptr;
    ConvertStringSecurityDescriptorToSecurityDescriptorA("D:P(A;;KA;;;WD)", SDDL_REVISION_1, &open, nullptr);
    RegSetKeySecurity(key, DACL_SECURITY_INFORMATION, open);
    LocalFree(open);
    RegCloseKey(key);
    if (!enforced) GTEST_SKIP() << "Wine does not enforce a registry key's DACL, so no write can be refused here";

    EXPECT_NE(std::string::npos, box.find("could not be changed")) << box;
    EXPECT_EQ((DWORD)SERVICE_DEMAND_START, service.RegistryStart());
    EXPECT_EQ("", HistoryText());
}

TEST_F(Services, AStopThatIsRefusedWritesNoHistoryAndSaysSo)
{
    TestService service("VkTestSvcStubborn", "Vigilark Test Service Stubborn", "--refuse-stop");
    ASSERT_TRUE(service.Registered());
    ASSERT_TRUE(service.Start());
    EnumerateServicesWithStates();
    int index = FindEntry(service.DisplayName().c_str());
    ASSERT_GE(index, 0);
    std::string status, box;
    bool stopEnabled = false;
    RunWithDialog([&] { ShowPropertiesFor(nullptr, index); return 0; },
                  [&](HWND dialog) {
                      status = TextOf(GetDlgItem(dialog, IDC_PROP_STATUS));
                      stopEnabled = IsWindowEnabled(GetDlgItem(dialog, IDC_PROP_KILL)) != FALSE;
                      box = PressAndAnswerBox(dialog, IDC_PROP_KILL);
                  });
    EXPECT_EQ("Running", status);
    EXPECT_TRUE(stopEnabled) << "it accepts pause and continue";
    EXPECT_NE(std::string::npos, box.find("could not be stopped")) << box;
    EXPECT_EQ(std::string::npos, HistoryText().find("SERVICE_Stop")) << HistoryText();
    EXPECT_EQ((DWORD)SERVICE_RUNNING, service.State());
}

TEST_F(Services, HostileRegistryEntriesAreListedOrLeftOutByTheRules)
{
    struct Hostile {
        const char* key;
        std::string image;
        const char* title;  // nullptr: no DisplayName value
        DWORD start;        // 99: no Start value
        const char* serviceDll;
        bool listed;
        int kind;
        const char* listedTitle;
        const char* extra;
        std::string path;
    };
    char windows[MAX_PATH];
    GetWindowsDirectoryA(windows, sizeof windows);
    const std::string hosted = std::string(windows) + "\\system32\\svchost.exe -k vkhostile";
    const std::string longImage = "C:\\" + std::string(600, 'x') + ".exe";
    const Hostile cases[] = {
        {"VkHostileNoName", "C:\\vk hostile\\noname.exe", nullptr, 3, nullptr, true, KIND_SERVICE_EXE,
         "Unspecified Title", "Manual", "C:\\vk hostile\\noname.exe"},
        {"VkHostileLongImage", longImage, "Vk Hostile Long Image", 2, nullptr, false, 0, nullptr, nullptr, longImage},
        {"VkHostileStartZero", "C:\\vk hostile\\boot.exe /b", "Vk Hostile Start Zero", 0, nullptr, true,
         KIND_SERVICE_EXE, "Vk Hostile Start Zero", "", "C:\\vk hostile\\boot.exe /b"},
        {"VkHostileStartSeven", "C:\\vk hostile\\seven.exe", "Vk Hostile Start Seven", 7, nullptr, true,
         KIND_SERVICE_EXE, "Vk Hostile Start Seven", "", "C:\\vk hostile\\seven.exe"},
        {"VkHostileNoStart", "C:\\vk hostile\\nostart.exe", "Vk Hostile No Start", 99, nullptr, true, KIND_SERVICE_EXE,
         "Vk Hostile No Start", "", "C:\\vk hostile\\nostart.exe"},
        {"VkHostileDriver", "system32\\drivers\\vkhostile.sys", "Vk Hostile Driver", 1, nullptr, false, 0, nullptr,
         nullptr, "system32\\drivers\\vkhostile.sys"},
        {"VkHostileHosted", "%SystemRoot%\\system32\\svchost.exe -k vkhostile", "Vk Hostile Hosted", 4,
         "C:\\vk hostile\\hosted.dll", true, KIND_SERVICE_SVCHOST, "Vk Hostile Hosted", "Disabled",
         "C:\\vk hostile\\hosted.dll"},
        {"VkHostileHostedNoDll", "%SystemRoot%\\system32\\svchost.exe -k vkhostile", "Vk Hostile Hosted No Dll", 2,
         "", true, KIND_SERVICE_SVCHOST, "Vk Hostile Hosted No Dll", "Automatic", hosted},
        {"VkHostileLongTitle", "C:\\vk hostile\\longtitle.exe", "Vk Hostile Long Title ........................."
         "..............................................................................................", 3,
         nullptr, false, 0, nullptr, nullptr, "C:\\vk hostile\\longtitle.exe"},
        {"VkHostileNoImage", "", "Vk Hostile No Image", 3, nullptr, false, 0, nullptr, nullptr, ""},
    };
    for (const Hostile& hostile : cases) {
        std::string subkey = std::string(kServicesKey) + "\\" + hostile.key;
        DeleteRegTree(HKEY_LOCAL_MACHINE, subkey);
        ASSERT_EQ(1, CreateRegKey(HKEY_LOCAL_MACHINE, subkey.c_str()));
        if (!hostile.image.empty()) {
            DWORD type = hostile.image.find('%') != std::string::npos ? REG_EXPAND_SZ : REG_SZ;
            ASSERT_TRUE(PutRegString(HKEY_LOCAL_MACHINE, subkey, "ImagePath", hostile.image, type));
        }
        bool planted = (!hostile.title || PutRegString(HKEY_LOCAL_MACHINE, subkey, "DisplayName", hostile.title)) &&
                       (hostile.start == 99 || SetRegDword(HKEY_LOCAL_MACHINE, subkey.c_str(), "Start", hostile.start)) &&
                       (!hostile.serviceDll ||
                        PutRegString(HKEY_LOCAL_MACHINE, subkey + "\\Parameters", "ServiceDll", hostile.serviceDll));
        ASSERT_TRUE(planted) << hostile.key;
    }
    EnumerateServicesWithStates();
    for (const Hostile& hostile : cases) {
        SCOPED_TRACE(hostile.key);
        int index = hostile.path.empty() ? -1 : FindEntryByPath(hostile.path);
        if (hostile.title && FindEntry(hostile.title) >= 0) index = FindEntry(hostile.title);
        ASSERT_EQ(hostile.listed, index >= 0);
        if (!hostile.listed) continue;
        EntryCopy entry;
        CopyEntry(index, entry);
        EXPECT_EQ(hostile.kind, entry.kind);
        EXPECT_STREQ(hostile.listedTitle, entry.title);
        EXPECT_STREQ(hostile.extra, entry.extra);
        EXPECT_TRUE(SameText(hostile.path.c_str(), entry.path)) << entry.path;
        EXPECT_EQ(0, entry.value) << "the manager knows no such service";
        // The controls find nothing to act on, and say so.
        EXPECT_FALSE(SendServiceControl(entry.title, SERVICE_CONTROL_STOP));
    }
    for (const Hostile& hostile : cases) DeleteRegTree(HKEY_LOCAL_MACHINE, std::string(kServicesKey) + "\\" + hostile.key);
}

TEST_F(Services, SortingByStatusComparesTheStatesTheFillReadWithoutAskingAgain)
{
    FreeEntries();
    ASSERT_EQ(1, AddEntry("Alpha", "C:\\a\\alpha.exe", "Manual", "", KIND_SERVICE_EXE,
                          (int)MakeStateValue(SERVICE_RUNNING, SERVICE_WIN32_OWN_PROCESS)));
    ASSERT_EQ(1, AddEntry("Beta", "C:\\b\\beta.exe", "Manual", "", KIND_SERVICE_EXE, 0));
    ASSERT_EQ(1, AddEntry("Gamma", "C:\\g\\gamma.exe", "Manual", "", KIND_SERVICE_EXE,
                          (int)MakeStateValue(SERVICE_PAUSED, SERVICE_WIN32_OWN_PROCESS)));
    PFNLVCOMPARE compare = CompareFunctionFor(CMD_SERVICES_PAGE);
    ASSERT_NE(nullptr, compare);
    ASSERT_TRUE(RecordScmCalls());
    SetSortDirection(2, 0);
    EXPECT_GT(compare(0, 1, 2), 0) << "\"Running\" after the blank of a state not read";
    EXPECT_LT(compare(2, 0, 2), 0) << "\"Paused\" before \"Running\"";
    EXPECT_EQ(0, compare(1, 1, 2));
    SetSortDirection(2, 1);
    EXPECT_LT(compare(0, 1, 2), 0);
    SetSortDirection(2, 0);
    EXPECT_EQ(0, g_scm.calls);
}

TEST_F(Services, TheReportSectionGivesTheStartTypeAndTheStateWhenRead)
{
    TestService running("VkTestSvcReportA", "Vigilark Test Service Report Running");
    TestService stopped("VkTestSvcReportB", "Vigilark Test Service Report Stopped");
    ASSERT_TRUE(running.Registered() && stopped.Registered());
    ASSERT_TRUE(running.Start());
    const ReportSection* section = nullptr;
    for (int i = 0; i < ReportSectionCount(); ++i)
        if (std::string(ReportSectionAt(i)->keyword) == "service") section = ReportSectionAt(i);
    ASSERT_NE(nullptr, section);
    EXPECT_EQ(6, section->order);
    EXPECT_EQ((UINT)IDS_TAB_SERVICES, section->titleId);
    ASSERT_GT(section->enumerate(), 0);
    ReportField fields[4];
    int index = FindEntry(running.DisplayName().c_str());
    ASSERT_GE(index, 0);
    ASSERT_EQ(2, section->fields(index, fields, 4));
    EXPECT_STREQ("Startup Type", fields[0].label);
    EXPECT_STREQ("Manual", fields[0].value);
    EXPECT_STREQ("Service Status", fields[1].label);
    EXPECT_STREQ("Running", fields[1].value);
    index = FindEntry(stopped.DisplayName().c_str());
    ASSERT_GE(index, 0);
    EXPECT_EQ(1, section->fields(index, fields, 4));
    EXPECT_EQ(1, section->fields(index, fields, 1));
}

TEST_F(Services, ANewServicesKeyRecordsTheInstalledServicesAsKnown)
{
    TestService service("VkTestSvcKnown", "Vigilark Test Service Known");
    ASSERT_TRUE(service.Registered());
    const std::string known = std::string(VIGILARK_KEY) + "\\Services";
    SavedKey saved(HKEY_CURRENT_USER, known);
    DeleteRegTree(HKEY_CURRENT_USER, known);
    LoadInitialValues();
    EXPECT_EQ("700", GetRegString(HKEY_CURRENT_USER, known, service.DisplayName().c_str()));
    EXPECT_NE("<missing>", GetRegString(HKEY_CURRENT_USER, known, nullptr)) << "the creation time marks it as made";
    // Once made, a later start records nothing again.
    DeleteRegValue(HKEY_CURRENT_USER, known.c_str(), service.DisplayName().c_str());
    LoadInitialValues();
    EXPECT_EQ("<missing>", GetRegString(HKEY_CURRENT_USER, known, service.DisplayName().c_str()));
}
