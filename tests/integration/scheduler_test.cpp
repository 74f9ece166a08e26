// Task Scheduler access against the prefix's real scheduler (the page's rows are end to end):
// hostile work items, deletion and its failures, status and comment, waits, an unstartable scheduler.
#include "foundations/entries.h"
#include "scheduler/scheduled_properties.h"
#include "scheduler/task_scheduler.h"
#include "support/import_hook.h"
#include "support/scheduled_task.h"
#include "support/testing.h"

#include <gtest/gtest.h>

#include <string>

namespace {

// The listed path of a task, "<not listed>" when there is none of that title.
std::string TaskPath(const std::string& title)
{
    EntryCopy entry;
    int index = FindEntryIndex(title);
    return index >= 0 && CopyEntry(index, entry) ? entry.path : "<not listed>";
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

// Hostile work items break neither the list nor the others, and none that can be read hides itself.
TEST_F(Scheduler, HostileWorkItems)
{
    const std::string longName = "Vgk " + std::string(190, 'L');
    const std::string longProgram = "C:\\" + std::string(300, 'p') + "\\far.exe";
    Make({"Vgk Plain", "C:\\tools\\plain.exe", "", true});
    const std::string garbage = TaskFile("Vgk Garbage");
    ASSERT_TRUE(WriteWholeFile(garbage, std::string(300, '\x7f')));

    const std::string cut = (longName + ".job").substr(0, ENTRY_TITLE_CHARS - 1);  // cut, still listed
    const std::pair<TaskSpec, std::string> cases[] = {  // a task, the path listed for it
        {{"Vgk Nameless", "", "", true}, ""},
        {{longName, "C:\\tools\\long.exe", "", true}, "C:\\tools\\long.exe"},
        {{"Vgk Far", longProgram, "", true}, longProgram.substr(0, ENTRY_PATH_CHARS - 1)},
    };
    for (const auto& c : cases) Make(c.first);
    EnumerateScheduledTasks();
    EXPECT_EQ("C:\\tools\\plain.exe", TaskPath("Vgk Plain.job")) << "the others are still listed";
    EXPECT_EQ("<not listed>", TaskPath("Vgk Garbage.job")) << "a task file that cannot be activated is left out";
    EXPECT_EQ("", TaskPath("Vgk Nameless.job"));
    EXPECT_EQ("C:\\tools\\long.exe", TaskPath(cut));
    EXPECT_EQ(cases[2].second, TaskPath("Vgk Far.job"));

    // The cut name still reaches its own task: its status, and its removal.
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
    EXPECT_TRUE(FAILED(DeleteScheduledTask("Vgk No Such Task.job")));
    EXPECT_TRUE(FAILED(DeleteScheduledTask("Vgk Pl")));
    EXPECT_TRUE(Exists(TaskFile("Vgk Plain")));
}

// A task without a trigger is not scheduled, one not there has no texts; a running scheduler is
// not waited for (status and comment once waited a second each), seen through Sleep.
TEST_F(Scheduler, StatusAndCommentOfATaskWithoutATriggerOrNotThereWithoutAWait)
{
    Make({"Vgk Idle", "C:\\tools\\idle.exe", "quick", false});
    ASSERT_EQ(0u, StartScheduler());
    bool startedNow = true;
    ASSERT_EQ(0u, StartScheduler(&startedNow));
    EXPECT_FALSE(startedNow);
    ASSERT_TRUE(HookImport("kernel32.dll", "Sleep", &RecordSleep, &g_sleep));
    char status[64], notes[1200];
    GetTaskStatusText("Vgk Idle.job", status, sizeof status);
    ScheduledTaskNotes("Vgk Idle.job", notes, sizeof notes);
    EXPECT_EQ("Status: Not Scheduled|Status: Not Scheduled\r\nquick", std::string(status) + "|" + notes);
    EXPECT_EQ(0u, g_slept);
    GetTaskStatusText("Vgk Absent.job", status, sizeof status);
    ScheduledTaskNotes("Vgk Absent.job", notes, sizeof notes);
    EXPECT_EQ("|", std::string(status) + "|" + notes);
}

// The Schedule service refused (Wine's accepts no stop): nothing listed, and a deletion fails.
TEST_F(Scheduler, UnstartableSchedulerFailsEveryOperation)
{
    Make({"Vgk Stranded", "C:\\tools\\stranded.exe", "", true});
    ASSERT_TRUE(HookImport("advapi32.dll", "OpenServiceA", &RefuseSchedule, &g_openService));
    EXPECT_NE(0u, StartScheduler());
    EXPECT_TRUE(FAILED(DeleteScheduledTask("Vgk Stranded.job")));
    EXPECT_LE(EnumerateScheduledTasks(), 0);
    EXPECT_EQ(0, EntryCount());
    EXPECT_TRUE(Exists(TaskFile("Vgk Stranded")));
}
