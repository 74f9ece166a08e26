// Task Scheduler access against the prefix's real scheduler (the page's rows are end to end):
// hostile work items, deletion and its failures.
#include "foundations/entries.h"
#include "scheduler/task_scheduler.h"
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
    Make({"Vgk Plain", "C:\\tools\\plain.exe", "", true});
    const std::string garbage = TaskFile("Vgk Garbage");
    ASSERT_TRUE(WriteWholeFile(garbage, std::string(300, '\x7f')));

    const std::string cut = (longName + ".job").substr(0, ENTRY_TITLE_CHARS - 1);  // cut, still listed
    Make({"Vgk Nameless", "", "", true});
    Make({longName, "C:\\tools\\long.exe", "", true});
    EnumerateScheduledTasks();
    EXPECT_EQ("C:\\tools\\plain.exe", TaskPath("Vgk Plain.job")) << "the others are still listed";
    EXPECT_EQ("<not listed>", TaskPath("Vgk Garbage.job")) << "a task file that cannot be activated is left out";
    EXPECT_EQ("", TaskPath("Vgk Nameless.job"));
    EXPECT_EQ("C:\\tools\\long.exe", TaskPath(cut));

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

