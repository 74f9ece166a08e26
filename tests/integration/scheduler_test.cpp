// Task Scheduler access against the prefix's real scheduler (the page's rows are the end-to-end
// test's): hostile work items with deletion and its failures, status and comment, the wait that
// only a scheduler started by the call needs, and a scheduler that cannot be started.
#include "foundations/entries.h"
#include "foundations/registry.h"
#include "scheduler/scheduled_properties.h"
#include "scheduler/task_scheduler.h"
#include "support/import_hook.h"
#include "support/scheduled_task.h"
#include "support/testing.h"

#include <gtest/gtest.h>

#include <string>

namespace {


struct Listed {
    bool found = false;
    EntryCopy entry = {};
    int index = -1;
};

Listed FindTask(const std::string& title)
{
    Listed listed;
    listed.index = FindEntryIndex(title);
    listed.found = listed.index >= 0;
    if (listed.found) CopyEntry(listed.index, listed.entry);
    return listed;
}

decltype(&Sleep) g_sleep;
DWORD g_slept = 0;
void WINAPI RecordSleep(DWORD ms)
{
    g_slept += ms;
    g_sleep(ms);
}

decltype(&OpenServiceA) g_openService;
SC_HANDLE WINAPI RefuseSchedule(SC_HANDLE manager, LPCSTR name, DWORD access)
{
    if (name && lstrcmpiA(name, "Schedule") == 0) {
        SetLastError(ERROR_ACCESS_DENIED);
        return nullptr;
    }
    return g_openService(manager, name, access);
}

class Scheduler : public ::testing::Test {
protected:
    void TearDown() override
    {
        for (const std::string& name : made_) RemoveScheduledTask(name);
        FreeEntries();
    }
    void Make(const TaskSpec& task)
    {
        made_.push_back(task.name);
        ASSERT_TRUE(CreateScheduledTask(task)) << task.name;
    }
    std::vector<std::string> made_;
};

}  // namespace

// Work items a hostile program could leave: none may break the list or hide the others,
// and none that can be read may hide itself.
TEST_F(Scheduler, HostileWorkItems)
{
    const std::string longName = "Vgk " + std::string(190, 'L');
    const std::string longProgram = "C:\\" + std::string(300, 'p') + "\\far.exe";
    Make({"Vgk Plain", "C:\\tools\\plain.exe", "", true});
    const std::string garbage = TaskFile("Vgk Garbage");
    ASSERT_TRUE(WriteWholeFile(garbage, std::string(300, '\x7f')));

    struct Case {
        const char* what;
        TaskSpec task;
        std::string title;  // as listed ("" = not listed)
        std::string path;
    } cases[] = {
        {"no application name", {"Vgk Nameless", "", "", true}, "Vgk Nameless.job", ""},
        {"name wider than the record: cut, still listed", {longName, "C:\\tools\\long.exe", "", true},
         (longName + ".job").substr(0, ENTRY_TITLE_CHARS - 1), "C:\\tools\\long.exe"},
        {"program wider than the record: cut", {"Vgk Far", longProgram, "", true}, "Vgk Far.job",
         longProgram.substr(0, ENTRY_PATH_CHARS - 1)},
    };
    for (const Case& c : cases) Make(c.task);

    EnumerateScheduledTasks();
    EXPECT_TRUE(FindTask("Vgk Plain.job").found) << "the others are still listed";
    EXPECT_FALSE(FindTask("Vgk Garbage.job").found) << "a task file that cannot be activated is left out";
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Listed listed = FindTask(c.title);
        ASSERT_TRUE(listed.found) << c.title;
        EXPECT_EQ(c.path, listed.entry.path);
    }

    // The cut name still reaches its own task: its status, and its removal.
    const std::string cut = cases[1].title;
    char status[64];
    EXPECT_GT(GetTaskStatusText(cut.c_str(), status, sizeof status), 0);
    EXPECT_EQ(S_OK, DeleteScheduledTask(cut.c_str()));
    EXPECT_FALSE(Exists(TaskFile(longName)));
    EXPECT_TRUE(Exists(TaskFile("Vgk Plain")));

    // The damaged file among the work items does not stop the deletion of another one.
    EXPECT_EQ(S_OK, DeleteScheduledTask("vgk NAMELESS.JOB")) << "the name compares without regard to case";
    EXPECT_FALSE(Exists(TaskFile("Vgk Nameless")));
    DeleteFileA(garbage.c_str());

    // A task that is not there, or only begins like one that is, cannot be deleted.
    HRESULT result = DeleteScheduledTask("Vgk No Such Task.job");
    EXPECT_TRUE(FAILED(result)) << std::hex << result;
    EXPECT_TRUE(FAILED(DeleteScheduledTask("Vgk Pl")));
    EXPECT_TRUE(Exists(TaskFile("Vgk Plain")));
}

TEST_F(Scheduler, StatusOfATaskWithoutATriggerOrNotThere)
{
    Make({"Vgk Idle", "C:\\tools\\idle.exe", "", false});
    char status[64], notes[1200];
    GetTaskStatusText("Vgk Idle.job", status, sizeof status);
    ScheduledTaskNotes("Vgk Idle.job", notes, sizeof notes);
    EXPECT_EQ("Status: Not Scheduled|Status: Not Scheduled\r\n", std::string(status) + "|" + notes);
    GetTaskStatusText("Vgk Absent.job", status, sizeof status);
    ScheduledTaskNotes("Vgk Absent.job", notes, sizeof notes);
    EXPECT_EQ("|", std::string(status) + "|" + notes);
}

// A scheduler that already runs is not waited for: the Properties dialog of a task asks for
// its status and comment, and each of those once waited a whole second. The waits are seen
// through the program's own Sleep.
TEST_F(Scheduler, NoWaitWhenTheSchedulerAlreadyRuns)
{
    Make({"Vgk Quick", "C:\\tools\\quick.exe", "quick", true});
    ASSERT_EQ(0u, StartScheduler());
    bool startedNow = true;
    ASSERT_EQ(0u, StartScheduler(&startedNow));
    EXPECT_FALSE(startedNow);
    ASSERT_TRUE(HookImport("kernel32.dll", "Sleep", &RecordSleep, &g_sleep));
    char comment[64];
    GetTaskComment("Vgk Quick.job", comment, sizeof comment);
    EXPECT_STREQ("quick", comment);
    EXPECT_EQ(0u, g_slept);
}

// With the scheduler unstartable (the Schedule service refused: Wine's accepts no stop) nothing
// can be listed or deleted, and a deletion says so instead of claiming success.
TEST_F(Scheduler, UnstartableSchedulerFailsEveryOperation)
{
    Make({"Vgk Stranded", "C:\\tools\\stranded.exe", "", true});
    ASSERT_TRUE(HookImport("advapi32.dll", "OpenServiceA", &RefuseSchedule, &g_openService));
    EXPECT_NE(0u, StartScheduler());
    HRESULT result = DeleteScheduledTask("Vgk Stranded.job");
    EXPECT_TRUE(FAILED(result)) << std::hex << result;
    EXPECT_LE(EnumerateScheduledTasks(), 0);
    EXPECT_EQ(0, EntryCount());
    EXPECT_TRUE(Exists(TaskFile("Vgk Stranded")));
}
