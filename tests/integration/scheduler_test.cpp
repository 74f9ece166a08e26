// Task Scheduler access against the prefix's real scheduler: the task entries, hostile work
// items with deletion and its failures, status and comment, the first-run record, and the
// wait that only a scheduler started by the call needs.
#include "foundations/entries.h"
#include "foundations/registry.h"
#include "scheduler/scheduled_properties.h"
#include "scheduler/task_scheduler.h"
#include "support/scheduled_task.h"
#include "support/testing.h"

#include <gtest/gtest.h>
#include <winsvc.h>

#include <string>

namespace {

const char kNever[] = "Never";

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

TEST_F(Scheduler, ListsEachWorkItemWithItsProgramAndRunTimes)
{
    Make({"Vgk Daily", "C:\\tools\\daily.exe", "", true});
    Make({"Vgk Unscheduled", "C:\\tools\\idle.exe", "", false});
    ASSERT_GT(EnumerateScheduledTasks(), 1);

    Listed daily = FindTask("Vgk Daily.job");
    ASSERT_TRUE(daily.found) << "the name as enumerated, with its extension";
    EXPECT_EQ(KIND_TASK_SCHEDULED, daily.entry.kind);
    EXPECT_STREQ("C:\\tools\\daily.exe", daily.entry.path);
    // Next run: today 23:59 by the daily trigger.
    SYSTEMTIME now;
    GetLocalTime(&now);
    char today[64];
    snprintf(today, sizeof today, "%02u/%02u/%04u  11:59 PM", now.wMonth, now.wDay, now.wYear);
    EXPECT_STREQ(today, daily.entry.extra);
    EXPECT_STREQ(kNever, daily.entry.detail) << "never ran";
    char location[128];
    ScheduledTaskLocationText(daily.index, location, sizeof location);
    EXPECT_STREQ("Windows Task Scheduler", location);

    Listed idle = FindTask("Vgk Unscheduled.job");
    ASSERT_TRUE(idle.found);
    EXPECT_STREQ(kNever, idle.entry.extra) << "no trigger, no next run";
    EXPECT_STREQ(kNever, idle.entry.detail);
}

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

TEST_F(Scheduler, StatusAndCommentOfATask)
{
    Make({"Vgk Described", "C:\\tools\\described.exe", "Backs up the mail folder", true});
    Make({"Vgk Idle", "C:\\tools\\idle.exe", "", false});
    struct Case {
        const char* name;
        const char* status;
        const char* notes;
    } cases[] = {
        // Wine gives a task that never ran SCHED_S_TASK_HAS_NOT_RUN: "Ready" like any other.
        {"Vgk Described.job", "Status: Ready", "Status: Ready\r\nBacks up the mail folder"},
        {"Vgk Idle.job", "Status: Not Scheduled", "Status: Not Scheduled\r\n"},
        {"Vgk Absent.job", "", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        char status[64], notes[1200];
        GetTaskStatusText(c.name, status, sizeof status);
        EXPECT_STREQ(c.status, status);
        ScheduledTaskNotes(c.name, notes, sizeof notes);
        EXPECT_STREQ(c.notes, notes);
    }
}

// A scheduler that already runs is not waited for: the Properties dialog of a task asks
// for its status and comment, and each of those once waited a whole second.
TEST_F(Scheduler, NoWaitWhenTheSchedulerAlreadyRuns)
{
    Make({"Vgk Quick", "C:\\tools\\quick.exe", "quick", true});
    ASSERT_EQ(0u, StartScheduler());
    bool startedNow = true;
    ASSERT_EQ(0u, StartScheduler(&startedNow));
    EXPECT_FALSE(startedNow);
    const int calls = 4;
    DWORD start = GetTickCount();
    for (int i = 0; i < calls; ++i) {
        char comment[64];
        GetTaskComment("Vgk Quick.job", comment, sizeof comment);
        ASSERT_STREQ("quick", comment);
    }
    // A wait on every call would take at least one second each.
    EXPECT_LT(GetTickCount() - start, calls * 1000u);
}

TEST_F(Scheduler, FirstRunRecordsEveryTaskAsKnown)
{
    SavedKey tasks(HKEY_CURRENT_USER, VIGILARK_KEY "\\Tasks");
    tasks.Clear();
    Make({"Vgk Known", "C:\\tools\\known.exe", "", true});
    RecordKnownTasks();
    EXPECT_EQ("800", GetRegString(HKEY_CURRENT_USER, VIGILARK_KEY "\\Tasks", "Vgk Known.job"));
    EXPECT_EQ(0, EntryCount());
}

// The Schedule service stopped and disabled for one test, and put back whatever happens.
class StoppedScheduleService {
public:
    StoppedScheduleService()
    {
        manager_ = OpenSCManagerA(nullptr, nullptr, SC_MANAGER_CONNECT);
        const DWORD access = SERVICE_STOP | SERVICE_QUERY_STATUS | SERVICE_CHANGE_CONFIG;
        service_ = manager_ ? OpenServiceA(manager_, "Schedule", access) : nullptr;
        if (!service_ || !QueryServiceStatus(service_, &status_)) return;
        if (!(status_.dwControlsAccepted & SERVICE_ACCEPT_STOP)) return;
        ControlService(service_, SERVICE_CONTROL_STOP, &status_);
        stopped_ = WaitFor([&] { return QueryServiceStatus(service_, &status_) && status_.dwCurrentState == SERVICE_STOPPED; },
                           5000);
        disabled_ = stopped_ && SetStart(SERVICE_DISABLED);
    }
    ~StoppedScheduleService()
    {
        if (disabled_) SetStart(SERVICE_DEMAND_START);
        if (service_) CloseServiceHandle(service_);
        if (manager_) CloseServiceHandle(manager_);
    }
    bool Ready() const { return disabled_; }
    void Enable() { disabled_ = !SetStart(SERVICE_DEMAND_START); }
    DWORD State() const { return status_.dwCurrentState; }
    DWORD Controls() const { return status_.dwControlsAccepted; }

private:
    bool SetStart(DWORD start)
    {
        return ChangeServiceConfigA(service_, SERVICE_NO_CHANGE, start, SERVICE_NO_CHANGE, nullptr, nullptr, nullptr,
                                    nullptr, nullptr, nullptr, nullptr) != 0;
    }
    SC_HANDLE manager_ = nullptr, service_ = nullptr;
    SERVICE_STATUS status_ = {};
    bool stopped_ = false, disabled_ = false;
};

// With the scheduler unstartable nothing can be listed or deleted, and a deletion says so
// instead of claiming success.
TEST_F(Scheduler, UnstartableSchedulerFailsEveryOperation)
{
    Make({"Vgk Stranded", "C:\\tools\\stranded.exe", "", true});
    StoppedScheduleService schedule;
    // Wine's Schedule service accepts no stop (controls 0): the Windows 98 tests cover the
    // unstartable scheduler instead, with no agent program to start.
    if (!schedule.Ready())
        GTEST_SKIP() << "the Schedule service cannot be stopped (state " << schedule.State() << ", controls "
                     << schedule.Controls() << ")";
    EXPECT_NE(0u, StartScheduler());
    HRESULT result = DeleteScheduledTask("Vgk Stranded.job");
    EXPECT_TRUE(FAILED(result)) << std::hex << result;
    EXPECT_LE(EnumerateScheduledTasks(), 0);
    EXPECT_EQ(0, EntryCount());

    // Startable again: the next operation starts it and gives it its time.
    schedule.Enable();
    bool startedNow = false;
    EXPECT_EQ(0u, StartScheduler(&startedNow));
    EXPECT_TRUE(startedNow);
    EXPECT_TRUE(Exists(TaskFile("Vgk Stranded")));
}
