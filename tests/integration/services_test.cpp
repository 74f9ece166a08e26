// Services against the prefix's registry and its real service control manager: the rights each
// call asks, the report's fields, hostile entries, the Properties dialog's
// refusals (a refused write forced through the import hook, as Wine enforces no key DACL).
#include "app/start.h"
#include "foundations/entries.h"
#include "foundations/text.h"
#include "resource.h"
#include "services/service_text.h"
#include "services/services.h"
#include "shell/properties_dialog.h"
#include "shell/report_sections.h"
#include "shell_fixture.h"
#include "support/import_hook.h"
#include "support/test_service.h"

#include <gtest/gtest.h>


using namespace shell_fixture;

namespace {

const char kServicesKey[] = "SYSTEM\\CurrentControlSet\\Services";

// The rights this program asks of the service control manager.
DWORD g_managerAccess, g_serviceAccess;
decltype(&OpenSCManagerA) g_openManager;
decltype(&OpenServiceA) g_openService;
SC_HANDLE WINAPI RecordOpenManager(LPCSTR machine, LPCSTR database, DWORD access)
{
    g_managerAccess |= access;
    return g_openManager(machine, database, access);
}
SC_HANDLE WINAPI RecordOpenService(SC_HANDLE manager, LPCSTR name, DWORD access)
{
    g_serviceAccess |= access;
    return g_openService(manager, name, access);
}
// Starts recording (the hooks are put in once).
bool RecordScmCalls()
{
    static bool hooked = HookImport("advapi32.dll", "OpenSCManagerA", &RecordOpenManager, &g_openManager) &&
                         HookImport("advapi32.dll", "OpenServiceA", &RecordOpenService, &g_openService);
    g_managerAccess = g_serviceAccess = 0;
    return hooked;
}

decltype(&RegSetValueExA) g_setValue;
LONG WINAPI RefuseStart(HKEY key, LPCSTR name, DWORD reserved, DWORD type, const BYTE* data, DWORD size)
{
    return name && strcmp(name, "Start") == 0 ? ERROR_ACCESS_DENIED : g_setValue(key, name, reserved, type, data, size);
}

class Services : public ::testing::Test {
protected:
    void SetUp() override
    {
        InitControls();
        InstallSubjectTables();
        DeleteFileA(HistoryFile().c_str());
    }
    void TearDown() override
    {
        FreeEntries();
        DeleteFileA(HistoryFile().c_str());
    }
    // Chooses the start type (-1: none) in the service's Properties, presses the button and answers
    // the box that follows; its text.
    std::string PressInProperties(const TestService& service, int startType, int button)
    {
        EnumerateServicesWithStates();
        int index = FindEntryIndex(service.DisplayName());
        EXPECT_GE(index, 0);
        std::string box;
        RunWithDialog([&] { ShowPropertiesFor(nullptr, index); return 0; }, [&](HWND dialog) {
            HWND list = GetDlgItem(dialog, IDC_PROP_STARTTYPE);
            SendMessageA(list, CB_SETCURSEL, startType, 0);
            if (startType >= 0)
                SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDC_PROP_STARTTYPE, CBN_SELCHANGE), (LPARAM)list);
            PostMessageA(dialog, WM_COMMAND, button, 0);
            box = AnswerBoxOver(dialog, IDOK);
            PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
        });
        return box;
    }
};

}  // namespace

// The page's rows, Stop and the start type through the dialog are the end-to-end test's.
TEST_F(Services, EachCallAsksForTheLeastRightsAndTheReportGivesStartTypeAndStateWhenRead)
{
    TestService service("VkTestSvcList", "Vigilark Test Service List");
    ASSERT_TRUE(service.Registered() && service.Start());
    const char* title = service.DisplayName().c_str();
    char text[64];
    const std::pair<std::function<bool()>, DWORD> calls[] = {
        {[] { return EnumerateServicesWithStates() > 0; }, SERVICE_QUERY_STATUS | SERVICE_INTERROGATE},
        {[&] { return StateOfValue(ServiceStateText(title, text, sizeof text)) == SERVICE_RUNNING; },
         SERVICE_QUERY_STATUS | SERVICE_INTERROGATE},
        {[&] { return SendServiceControl(title, SERVICE_CONTROL_STOP) != 0; }, SERVICE_STOP},
    };
    for (const auto& call : calls) {
        ASSERT_TRUE(RecordScmCalls());
        EXPECT_TRUE(call.first());
        EXPECT_EQ((DWORD)SC_MANAGER_CONNECT, g_managerAccess);
        EXPECT_EQ(call.second, g_serviceAccess);
    }
    ASSERT_TRUE(service.WaitForState(SERVICE_STOPPED));
    EXPECT_FALSE(SendServiceControl(title, SERVICE_CONTROL_STOP)) << "a stopped service takes no stop";
    const ReportSection* section = nullptr;
    for (int i = 0; i < ReportSectionCount(); ++i) section = std::string(ReportSectionAt(i)->keyword) == "service" ? ReportSectionAt(i) : section;
    ASSERT_TRUE(service.Start());
    ASSERT_TRUE(section && section->enumerate() > 0);
    ReportField fields[4];
    ASSERT_EQ(2, section->fields(FindEntryIndex(title), fields, 4));
    EXPECT_EQ("Startup Type=Manual|Service Status=Running", std::string(fields[0].label) + "=" + fields[0].value + "|" +
                                                                fields[1].label + "=" + fields[1].value);
    const char kNobody[] = "No Service Has This Display Name";
    EXPECT_EQ(0, SetServiceStartType(kNobody, SERVICE_AUTO_START));
    EXPECT_EQ(0u, GetServiceStartType(kNobody) + QueryServiceState(kNobody));
}

TEST_F(Services, ARefusedStartTypeWriteOrStopIsSaidAndLeavesNoHistory)
{
    TestService locked("VkTestSvcLocked", "Vigilark Test Service Locked");
    TestService stubborn("VkTestSvcStubborn", "Vigilark Test Service Stubborn", "--refuse-stop");
    ASSERT_TRUE(locked.Registered() && stubborn.Registered() && stubborn.Start());
    ASSERT_TRUE(HookImport("advapi32.dll", "RegSetValueExA", &RefuseStart, &g_setValue));
    std::string box = PressInProperties(locked, 0 /* Automatic */, IDC_PROP_APPLY);
    EXPECT_NE(std::string::npos, box.find("could not be changed")) << box;
    EXPECT_EQ((DWORD)SERVICE_DEMAND_START, locked.RegistryStart());
    box = PressInProperties(stubborn, -1, IDC_PROP_KILL);
    EXPECT_NE(std::string::npos, box.find("could not be stopped")) << box;
    EXPECT_EQ((DWORD)SERVICE_RUNNING, stubborn.State());
    EXPECT_EQ("", ReadWholeFile(HistoryFile()));
}

// Planted straight into the registry, unknown to the manager: an overlong image is left out, a
// hosted service is listed by its library and its stop says there is nothing to stop.
TEST_F(Services, HostileRegistryEntriesAreListedOrLeftOutByTheRules)
{
    const std::string overlong = std::string(kServicesKey) + "\\VkHostileLongImage";
    const std::string hosted = std::string(kServicesKey) + "\\VkHostileHosted";
    const std::string longImage = "C:\\" + std::string(600, 'x') + ".exe";
    ASSERT_TRUE(PutRegString(HKEY_LOCAL_MACHINE, overlong, "ImagePath", longImage) &&
                PutRegString(HKEY_LOCAL_MACHINE, overlong, "DisplayName", "Vk Hostile Long Image") &&
                PutRegString(HKEY_LOCAL_MACHINE, hosted, "ImagePath", "%SystemRoot%\\system32\\svchost.exe -k vkhostile",
                             REG_EXPAND_SZ) &&
                PutRegString(HKEY_LOCAL_MACHINE, hosted, "DisplayName", "Vk Hostile Hosted") &&
                SetRegDword(HKEY_LOCAL_MACHINE, hosted.c_str(), "Start", SERVICE_DISABLED) &&
                PutRegString(HKEY_LOCAL_MACHINE, hosted + "\\Parameters", "ServiceDll", "C:\\vk hostile\\hosted.dll"));
    EnumerateServicesWithStates();
    DeleteRegTree(HKEY_LOCAL_MACHINE, overlong);
    DeleteRegTree(HKEY_LOCAL_MACHINE, hosted);
    EXPECT_EQ("-1|-1", std::to_string(FindEntryIndex("Vk Hostile Long Image")) + "|" +
                           std::to_string(FindEntryIndex("", longImage)));
    EntryCopy entry;
    ASSERT_TRUE(CopyEntry(FindEntryIndex("Vk Hostile Hosted"), entry));
    EXPECT_EQ(std::to_string(KIND_SERVICE_SVCHOST) + "|Disabled", std::to_string(entry.kind) + "|" + entry.extra);
    EXPECT_TRUE(SameText("C:\\vk hostile\\hosted.dll", entry.path)) << entry.path;
    EXPECT_EQ(0, entry.value) << "the manager knows no such service";
    EXPECT_FALSE(SendServiceControl(entry.title, SERVICE_CONTROL_STOP)) << "nothing to act on, and it says so";
}
