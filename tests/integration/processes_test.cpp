// Running programs: the process walk, the task list, matching a program and ending it, also
// the listed one only, against real child processes (copies of this test program that only wait).
#include "processes/processes.h"

#include "startup_bed.h"

#include "shell_fixture.h"
#include "support/import_hook.h"
#include "support/probe.h"

#include <regex>

namespace {

class RunningPrograms : public ::testing::Test {
protected:
    void SetUp() override { DeleteFileA(HistoryFile().c_str()); }
    void TearDown() override { DeleteFileA(HistoryFile().c_str()); }
    const std::string program_ = TempPath("vgk_sleeper.exe");
    SavedKey blacklist_{HKEY_CURRENT_USER, BLACKLIST_KEY};
};

// The processes the walk visits, with their paths.
std::vector<std::pair<DWORD, std::string>> Walk()
{
    std::vector<std::pair<DWORD, std::string>> visits;
    EXPECT_TRUE(EnumerateProcesses(
        [](DWORD id, WORD, const char* path, void* context) {
            static_cast<std::vector<std::pair<DWORD, std::string>>*>(context)->emplace_back(id, path);
            return true;
        },
        &visits));
    return visits;
}

decltype(&OpenProcess) g_openProcess = nullptr;
DWORD g_reusedId = 0, g_nowRunsId = 0;
// The system gave the listed id to another process.
HANDLE WINAPI OpenReusedId(DWORD access, BOOL inherit, DWORD id)
{
    return g_openProcess(access, inherit, id == g_reusedId ? g_nowRunsId : id);
}

}  // namespace

TEST_F(RunningPrograms, TheWalkTheTaskListAndMatchingSeeTheRunningCopiesAndKillEndsOnlyTheListedOne)
{
    Probe first(program_), second(program_);
    ASSERT_TRUE(first.Running() && second.Running());
    DWORD firstSeen = 0;
    for (const auto& visit : Walk())
        if (!firstSeen && (visit.first == first.Id() || visit.first == second.Id())) firstSeen = visit.first;

    // A program is matched by its full path or its bare file name.
    EXPECT_TRUE(IsProgramRunning("VGK_SLEEPER.EXE"));
    EXPECT_TRUE(IsProgramRunning(("\"" + program_ + "\" /args").c_str()));
    EXPECT_EQ(firstSeen, FindRunningProgram(program_.c_str()));
    EXPECT_FALSE(IsProgramRunning("C:\\no\\such\\vgk_sleeper2.exe"));
    EXPECT_FALSE(IsProgramRunning(""));
    EXPECT_TRUE(ProgramPathMatches("c:\\a\\b\\tool.exe", "\"C:\\A\\B\\TOOL.EXE\" -x"));
    EXPECT_FALSE(ProgramPathMatches("C:\\A\\B\\tool.exe", "C:\\A\\tool.exe"));
    EXPECT_FALSE(ProgramPathMatches("", "tool.exe"));

    int matches = 0, index = -1;  // two copies of a program give one task entry, with the first process's id
    for (int i = 0, count = BuildTaskList(); i < count; ++i) {
        char path[ENTRY_PATH_CHARS];
        GetEntryPath(i, path);
        EXPECT_EQ(KIND_INFO_TASK, GetEntryKind(i));
        if (lstrcmpiA(path, program_.c_str()) != 0) continue;
        ++matches;
        index = i;
        EXPECT_EQ((int)firstSeen, GetEntryValue(i));
    }
    ASSERT_EQ(1, matches);

    // Ending the listed task ends only the process the list showed.
    const Probe& listed = firstSeen == first.Id() ? first : second;
    const Probe& other = &listed == &first ? second : first;
    g_reusedId = listed.Id();
    g_nowRunsId = other.Id();
    ASSERT_TRUE(HookImport("kernel32.dll", "OpenProcess", &OpenReusedId, &g_openProcess));
    TaskEnd reused = EndListedTask(index);
    decltype(&OpenProcess) hook = nullptr;
    HookImport("kernel32.dll", "OpenProcess", g_openProcess, &hook);
    EXPECT_EQ(TASK_NOT_AS_LISTED, reused);
    ASSERT_EQ(1, AddEntry("Other", "C:\\other\\other.exe", "", "", KIND_INFO_TASK, (int)listed.Id()));
    EXPECT_EQ(TASK_NOT_AS_LISTED, EndListedTask(EntryCount() - 1));
    EXPECT_TRUE(first.Running() && second.Running());
    EXPECT_FALSE(Exists(HistoryFile()));

    EXPECT_EQ(TASK_ENDED, EndListedTask(index));
    EXPECT_TRUE(listed.EndsWithin(5000));
    EXPECT_TRUE(other.Running());
    EXPECT_NE(std::string::npos, ReadWholeFile(HistoryFile()).find("\tTASK_Kill\tINFO_TASK\t"));
    FreeEntries();
}

TEST_F(RunningPrograms, EndProgramWritesHistoryAndTheBlackListOnlyWhenItEndedOne)
{
    Probe sleeper(program_), other(program_);
    ASSERT_TRUE(sleeper.Running() && other.Running());
    PutRegString(HKEY_CURRENT_USER, BLACKLIST_KEY, program_.c_str(), "listed");
    // Declined: nothing ends, nothing is written.
    EndOutcome outcome = END_ENDED;
    DWORD id =
        shell_fixture::RunWithDialog([&] { return (int)EndProgram(program_.c_str(), "Sleeper", true, &outcome); },
                                     [](HWND box) { PostMessageA(box, WM_COMMAND, IDNO, 0); });
    EXPECT_EQ(END_DECLINED, outcome);
    EXPECT_TRUE(sleeper.Running() && other.Running());
    EXPECT_FALSE(Exists(HistoryFile()));
    // EndProcess ends one process without records; EndProgram the program's first one with them.
    EXPECT_TRUE(EndProcess(id == sleeper.Id() ? other.Id() : sleeper.Id()));
    EXPECT_FALSE(Exists(HistoryFile()));
    EXPECT_EQ(id, EndProgram(program_.c_str(), "Sleeper", false, &outcome));
    EXPECT_EQ(END_ENDED, outcome);
    const Probe& ended = id == sleeper.Id() ? sleeper : other;
    ASSERT_TRUE(ended.EndsWithin(2000));
    EXPECT_EQ(1u, ended.ExitCode()) << "not STILL_ACTIVE, which would make it look alive";
    std::vector<std::string> lines = bed::HistoryLines();
    ASSERT_EQ(1u, lines.size());
    EXPECT_NE(std::string::npos, lines[0].find("\tTASK_Kill\tINFO_TASK\tSleeper\t" + program_ + "\t"));
    std::string stamp = GetRegString(HKEY_CURRENT_USER, BLACKLIST_KEY, program_.c_str());
    EXPECT_TRUE(std::regex_match(stamp, std::regex("\\d\\d/\\d\\d/\\d{4}  \\d{1,2}:\\d\\d [AP]M"))) << stamp;
    // Nothing left to end: nothing written.
    EXPECT_EQ(0u, EndProgram(program_.c_str(), "Sleeper", false, &outcome));
    EXPECT_EQ(END_NOT_RUNNING, outcome);
    EXPECT_EQ(1u, bed::HistoryLines().size());
}
