// A listed running program: Kill Task ends only the process the list showed, and its
// Properties show the description of the service that runs it.
#include "app/start.h"
#include "foundations/entries.h"
#include "history/history.h"
#include "processes/processes.h"
#include "resource.h"
#include "shell/properties_dialog.h"
#include "shell_fixture.h"
#include "support/import_hook.h"
#include "support/probe.h"
#include "support/test_service.h"

#include <gtest/gtest.h>

namespace {

decltype(&OpenProcess) g_openProcess = nullptr;
DWORD g_reusedId = 0, g_nowRunsId = 0;

// The system gave the listed id to another process.
HANDLE WINAPI OpenReusedId(DWORD access, BOOL inherit, DWORD id)
{
    return g_openProcess(access, inherit, id == g_reusedId ? g_nowRunsId : id);
}

}  // namespace

TEST(ListedTask, KillTaskEndsOnlyTheProcessTheListShowed)
{
    const std::string program = TempPath("vgk_listed.exe");
    Probe first(program), second(program);
    ASSERT_TRUE(first.Running() && second.Running());
    DeleteFileA(HistoryFile().c_str());
    BuildTaskList();
    int index = FindEntryIndex("", program);
    ASSERT_GE(index, 0);
    const Probe& listed = (DWORD)GetEntryValue(index) == first.Id() ? first : second;
    const Probe& other = &listed == &first ? second : first;

    g_reusedId = listed.Id();
    g_nowRunsId = other.Id();
    ASSERT_TRUE(HookImport("kernel32.dll", "OpenProcess", &OpenReusedId, &g_openProcess));
    TaskEnd reused = EndListedTask(index);
    decltype(&OpenProcess) hook = nullptr;
    HookImport("kernel32.dll", "OpenProcess", g_openProcess, &hook);
    EXPECT_EQ(TASK_NOT_AS_LISTED, reused);
    // A row that shows another program under the process's id.
    ASSERT_EQ(1, AddEntry("Other", "C:\\other\\other.exe", "", "", KIND_INFO_TASK, (int)listed.Id()));
    EXPECT_EQ(TASK_NOT_AS_LISTED, EndListedTask(EntryCount() - 1));
    EXPECT_TRUE(first.Running() && second.Running());
    EXPECT_FALSE(Exists(HistoryFile()));

    EXPECT_EQ(TASK_ENDED, EndListedTask(index));
    EXPECT_TRUE(listed.EndsWithin(5000));
    EXPECT_TRUE(other.Running());
    EXPECT_NE(std::string::npos, ReadWholeFile(HistoryFile()).find("\tTASK_Kill\tINFO_TASK\t"));
    DeleteFileA(HistoryFile().c_str());
    FreeEntries();
}

TEST(ListedTask, PropertiesShowTheDescriptionOfTheServiceThatRunsTheProgram)
{
    TestService service("VgkDescribed", "Vgk Described Service");
    ASSERT_TRUE(service.Registered());
    ASSERT_TRUE(PutRegString(HKEY_LOCAL_MACHINE, "SYSTEM\\CurrentControlSet\\Services\\VgkDescribed", "Description",
                             "Keeps the test bed company."));
    shell_fixture::InitControls();
    InstallSubjectTables();
    FreeEntries();
    ASSERT_EQ(1, AddEntry("", TestService::Program().c_str(), "", "", KIND_INFO_TASK, 0));
    std::string notes;
    shell_fixture::RunWithDialog([&] { ShowPropertiesFor(nullptr, 0); return 0; },
                                 [&](HWND dialog) {
                                     notes = shell_fixture::TextOf(GetDlgItem(dialog, IDC_PROP_NOTES));
                                     PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
                                 });
    EXPECT_EQ("Keeps the test bed company.", notes);
    FreeEntries();
}
