// The Windows 95 family's way to the Task Scheduler: the agent program found on the search
// path, started for one operation and ended again, or left alone when it already ran.
// Wine reports Windows 98 to this test program. Wine has no agent program; its scheduler
// answers without one, so a stand-in (bin\agent\mstask.exe) shows the agent's window.
#include "foundations/entries.h"
#include "scheduler/task_scheduler.h"
#include "support/scheduled_task.h"
#include "support/testing.h"

#include <gtest/gtest.h>
#include <tlhelp32.h>

namespace {

int AgentProcesses()
{
    int count = 0;
    HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    PROCESSENTRY32 process = {};
    process.dwSize = sizeof process;
    for (BOOL more = Process32First(snapshot, &process); more; more = Process32Next(snapshot, &process))
        count += lstrcmpiA(process.szExeFile, "mstask.exe") == 0;
    CloseHandle(snapshot);
    return count;
}

class Windows98Scheduler : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_GE(GetVersion(), 0x80000000u) << "the Windows 95 family, as the test bed has Wine report";
        ASSERT_TRUE(CreateScheduledTask({"Vgk Agent Task", "C:\\tools\\agent.exe", "", true}));
    }
    void TearDown() override
    {
        SetEnvironmentVariableA("PATH", path_.c_str());
        RemoveScheduledTask("Vgk Agent Task");
        FreeEntries();
        StopScheduler();
    }
    void FindAgent() { SetEnvironmentVariableA("PATH", (BesideTestProgram("agent") + ";" + path_).c_str()); }
    const std::string path_ = [] {
        char path[32768] = "";
        GetEnvironmentVariableA("PATH", path, sizeof path);
        return std::string(path);
    }();
};

}  // namespace

TEST_F(Windows98Scheduler, WithoutTheAgentNothingIsListedOrDeletedAndAnAgentStartedForAnOperationIsEndedAfterIt)
{
    char found[MAX_PATH];
    ASSERT_EQ(0u, SearchPathA(nullptr, "mstask.exe", nullptr, sizeof found, found, nullptr)) << found;
    EXPECT_EQ((DWORD)ERROR_FILE_NOT_FOUND, StartScheduler());
    EXPECT_LE(EnumerateScheduledTasks(), 0);
    EXPECT_EQ(0, EntryCount());
    HRESULT result = DeleteScheduledTask("Vgk Agent Task.job");
    EXPECT_TRUE(FAILED(result)) << "not a success: the task is still there " << std::hex << result;
    EXPECT_TRUE(Exists(TaskFile("Vgk Agent Task")));
    EXPECT_EQ(1, StopScheduler()) << "no agent to end";

    FindAgent();
    ASSERT_EQ(0, AgentProcesses());
    EXPECT_GT(EnumerateScheduledTasks(), 0);
    EXPECT_GE(FindEntryIndex("Vgk Agent Task.job"), 0);
    EXPECT_TRUE(WaitFor([] { return AgentProcesses() == 0; }, 5000)) << "the agent this call started is ended";
    EXPECT_EQ(S_OK, DeleteScheduledTask("Vgk Agent Task.job"));
    EXPECT_FALSE(Exists(TaskFile("Vgk Agent Task")));
    EXPECT_TRUE(WaitFor([] { return AgentProcesses() == 0; }, 5000));
}

TEST_F(Windows98Scheduler, AnAgentThatAlreadyRanIsLeftRunning)
{
    std::string agent = BesideTestProgram("agent\\mstask.exe");
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process = {};
    ASSERT_TRUE(CreateProcessA(agent.c_str(), nullptr, nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process));
    CloseHandle(process.hThread);
    ASSERT_TRUE(WaitFor([] { return FindWindowA("SAGEWINDOWCLASS", "SYSTEM AGENT COM WINDOW") != nullptr; }));
    bool startedNow = true;
    EXPECT_EQ(0u, StartScheduler(&startedNow));
    EXPECT_FALSE(startedNow);
    EXPECT_GE(EnumerateScheduledTasks(), 1);
    EXPECT_EQ((DWORD)WAIT_TIMEOUT, WaitForSingleObject(process.hProcess, 200)) << "not ours to end";
    EXPECT_EQ(0, StopScheduler());
    EXPECT_EQ((DWORD)WAIT_OBJECT_0, WaitForSingleObject(process.hProcess, 5000));
    EXPECT_EQ(1, StopScheduler());
    CloseHandle(process.hProcess);
}
