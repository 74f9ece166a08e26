// Running programs: the process walk, the task list, matching a program and ending it,
// against real child processes (copies of this test program that only sleep).
#include "processes/processes.h"

#include "startup_bed.h"

#include "foundations/settings.h"
#include "foundations/text.h"
#include "shell/app.h"
#include "history/history.h"

#include <regex>
#include <thread>

namespace {

const char kSleepSwitch[] = "--vgk-sleep";

// A copy started with the switch sleeps here, before any test runs, and is ended by the test.
const bool g_sleeper = [] {
    if (strstr(GetCommandLineA(), kSleepSwitch)) {
        Sleep(60000);
        ExitProcess(0);
    }
    return false;
}();

class Sleeper {
public:
    explicit Sleeper(const std::string& program)
    {
        std::string line = "\"" + program + "\" " + kSleepSwitch;
        STARTUPINFOA startup = {};
        startup.cb = sizeof startup;
        PROCESS_INFORMATION info = {};
        if (CreateProcessA(program.c_str(), &line[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &info)) {
            CloseHandle(info.hThread);
            process_ = info.hProcess;
            id_ = info.dwProcessId;
        }
    }
    ~Sleeper()
    {
        if (process_) {
            TerminateProcess(process_, 0);
            WaitForSingleObject(process_, 5000);
            CloseHandle(process_);
        }
    }
    DWORD id() const { return id_; }
    bool Running() const { return process_ && WaitForSingleObject(process_, 0) == WAIT_TIMEOUT; }
    bool EndsWithin(DWORD ms) const { return process_ && WaitForSingleObject(process_, ms) == WAIT_OBJECT_0; }
    DWORD ExitCode() const
    {
        DWORD code = 0;
        GetExitCodeProcess(process_, &code);
        return code;
    }

private:
    HANDLE process_ = nullptr;
    DWORD id_ = 0;
};

class RunningPrograms : public ::testing::Test {
protected:
    void SetUp() override
    {
        program_ = bed::TempFolder() + "\\vgk_sleeper.exe";
        ASSERT_TRUE(CopyFileA(bed::ThisProgram().c_str(), program_.c_str(), FALSE));
        DeleteFileA(bed::HistoryFile().c_str());
    }
    void TearDown() override
    {
        DeleteRegValue(HKEY_CURRENT_USER, BLACKLIST_KEY, program_.c_str());
        DeleteFileA(bed::HistoryFile().c_str());
        for (int i = 0; i < 50 && bed::Exists(program_) && !DeleteFileA(program_.c_str()); ++i) Sleep(20);
    }
    std::string program_;
    ScratchKey blacklist_{HKEY_CURRENT_USER, BLACKLIST_KEY};
};

struct Visit {
    DWORD id;
    std::string path;
};

bool Collect(DWORD id, WORD, const char* path, void* context)
{
    static_cast<std::vector<Visit>*>(context)->push_back(Visit{id, path});
    return true;
}

bool StopAtFirst(DWORD, WORD, const char*, void* context)
{
    ++*static_cast<int*>(context);
    return false;
}

}  // namespace

TEST_F(RunningPrograms, TheWalkVisitsThisProcessWithItsPath)
{
    std::vector<Visit> visits;
    ASSERT_TRUE(EnumerateProcesses(Collect, &visits));
    bool found = false;
    for (const Visit& visit : visits)
        if (visit.id == GetCurrentProcessId()) {
            found = true;
            EXPECT_EQ(0, lstrcmpiA(bed::ThisProgram().c_str(), visit.path.c_str())) << visit.path;
        }
    EXPECT_TRUE(found);
    EXPECT_GT(visits.size(), 3u);
    int calls = 0;
    EXPECT_TRUE(EnumerateProcesses(StopAtFirst, &calls));
    EXPECT_EQ(1, calls);
}

TEST_F(RunningPrograms, TwoCopiesOfAProgramGiveOneTaskEntry)
{
    Sleeper first(program_);
    Sleeper second(program_);
    ASSERT_TRUE(first.Running());
    ASSERT_TRUE(second.Running());

    std::vector<Visit> visits;
    EnumerateProcesses(Collect, &visits);
    DWORD firstSeen = 0;
    for (const Visit& visit : visits)
        if ((visit.id == first.id() || visit.id == second.id()) && firstSeen == 0) firstSeen = visit.id;

    int count = BuildTaskList();
    int matches = 0;
    for (int i = 0; i < count; ++i) {
        char path[ENTRY_PATH_CHARS];
        GetEntryPath(i, path);
        EXPECT_EQ(KIND_INFO_TASK, GetEntryKind(i));
        if (lstrcmpiA(path, program_.c_str()) != 0) continue;
        ++matches;
        EXPECT_EQ((int)firstSeen, GetEntryValue(i));
        char title[ENTRY_TITLE_CHARS];
        GetEntryTitle(i, title);
        EXPECT_STREQ("Vigilark Explorer", title);
    }
    EXPECT_EQ(1, matches);
    FreeEntries();
}

TEST_F(RunningPrograms, MatchingByFullPathOrBareFileName)
{
    Sleeper sleeper(program_);
    ASSERT_TRUE(sleeper.Running());
    EXPECT_TRUE(IsProgramRunning(program_.c_str()));
    EXPECT_TRUE(IsProgramRunning("VGK_SLEEPER.EXE"));
    EXPECT_TRUE(IsProgramRunning(("\"" + program_ + "\" /args").c_str()));
    EXPECT_EQ(sleeper.id(), FindRunningProgram(program_.c_str()));
    EXPECT_FALSE(IsProgramRunning("C:\\no\\such\\vgk_sleeper2.exe"));
    EXPECT_FALSE(IsProgramRunning(""));

    EXPECT_TRUE(ProgramPathMatches("C:\\A\\B\\Tool.EXE", "tool.exe"));
    EXPECT_TRUE(ProgramPathMatches("c:\\a\\b\\tool.exe", "\"C:\\A\\B\\TOOL.EXE\" -x"));
    EXPECT_FALSE(ProgramPathMatches("C:\\A\\B\\tool.exe", "C:\\A\\tool.exe"));
    EXPECT_FALSE(ProgramPathMatches("", "tool.exe"));
}

TEST_F(RunningPrograms, EndProgramEndsItWritesHistoryAndTheBlackList)
{
    Sleeper sleeper(program_);
    ASSERT_TRUE(sleeper.Running());
    SetRegString(HKEY_CURRENT_USER, BLACKLIST_KEY, program_.c_str(), "listed");

    EndOutcome outcome = END_NOT_RUNNING;
    EXPECT_EQ(sleeper.id(), EndProgram(program_.c_str(), "Sleeper", false, &outcome));
    EXPECT_EQ(END_ENDED, outcome);
    ASSERT_TRUE(sleeper.EndsWithin(2000));
    EXPECT_EQ(1u, sleeper.ExitCode()) << "not STILL_ACTIVE, which would make it look alive";

    std::vector<std::string> lines = bed::HistoryLines();
    ASSERT_EQ(1u, lines.size());
    EXPECT_NE(std::string::npos, lines[0].find("\tTASK_Kill\tINFO_TASK\tSleeper\t" + program_ + "\t"));
    char stamp[512];
    ReadRegString(HKEY_CURRENT_USER, BLACKLIST_KEY, program_.c_str(), stamp, sizeof stamp);
    EXPECT_TRUE(std::regex_match(stamp, std::regex("\\d\\d/\\d\\d/\\d{4}  \\d{1,2}:\\d\\d [AP]M"))) << stamp;

    EXPECT_EQ(0u, EndProgram(program_.c_str(), "Sleeper", false, &outcome));
    EXPECT_EQ(END_NOT_RUNNING, outcome);
}

TEST_F(RunningPrograms, DecliningTheQuestionEndsNothing)
{
    Sleeper sleeper(program_);
    ASSERT_TRUE(sleeper.Running());
    CopyText(ConsoleCaption(), CAPTION_CHARS, "Vgk End Question");
    std::thread answer([] {
        for (int i = 0; i < 200; ++i) {
            HWND box = FindWindowA("#32770", "Vgk End Question");
            if (box) {
                PostMessageA(box, WM_COMMAND, IDNO, 0);
                return;
            }
            Sleep(50);
        }
    });
    EndOutcome outcome = END_ENDED;
    DWORD id = EndProgram(program_.c_str(), "Sleeper", true, &outcome);
    answer.join();
    EXPECT_EQ(sleeper.id(), id);
    EXPECT_EQ(END_DECLINED, outcome);
    EXPECT_TRUE(sleeper.Running());
    EXPECT_FALSE(bed::Exists(bed::HistoryFile()));
}

TEST_F(RunningPrograms, EndProcessTerminatesWithoutRecords)
{
    Sleeper sleeper(program_);
    ASSERT_TRUE(sleeper.Running());
    EXPECT_TRUE(EndProcess(sleeper.id()));
    EXPECT_TRUE(sleeper.EndsWithin(2000));
    EXPECT_FALSE(bed::Exists(bed::HistoryFile()));
    EXPECT_FALSE(EndProcess(0xFFFFFFF0));
}

TEST_F(RunningPrograms, KillResultsOnlyTouchListedPrograms)
{
    const std::string unlisted = "C:\\vgk\\unlisted.exe";
    RecordKillResult(unlisted.c_str(), true);
    EXPECT_FALSE(RegValueExists(HKEY_CURRENT_USER, BLACKLIST_KEY, unlisted.c_str()));

    SetRegString(HKEY_CURRENT_USER, BLACKLIST_KEY, program_.c_str(), "");
    RecordKillResult(program_.c_str(), true);
    char data[512] = "x";
    ReadRegString(HKEY_CURRENT_USER, BLACKLIST_KEY, program_.c_str(), data, sizeof data);
    EXPECT_STREQ("", data) << "an empty value stays empty";

    SetRegString(HKEY_CURRENT_USER, BLACKLIST_KEY, program_.c_str(), "listed");
    SetLastError(ERROR_ACCESS_DENIED);
    RecordKillResult(program_.c_str(), false);
    ReadRegString(HKEY_CURRENT_USER, BLACKLIST_KEY, program_.c_str(), data, sizeof data);
    EXPECT_EQ(0, strncmp(data, "5:", 2)) << data;
    size_t len = strlen(data);
    ASSERT_GT(len, 2u);
    EXPECT_GE((unsigned char)data[len - 1], ' ') << "no closing line break";
}
