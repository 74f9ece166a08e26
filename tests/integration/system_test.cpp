// The prefix's registry and system files as the program uses them: reading registry text
// and its trace records, the HOSTS file's place and lock, the restart commands of
// wininit.ini, and the sound events of AppEvents.
#include "foundations/registry.h"
#include "foundations/settings.h"
#include "foundations/trace.h"
#include "options/sound.h"
#include "options/system_files.h"
#include "resource.h"
#include "shell_fixture.h"

#include <gtest/gtest.h>

namespace {

std::string WindowsFile(const char* name)
{
    char folder[MAX_PATH];
    GetWindowsDirectoryA(folder, sizeof folder);
    return std::string(folder) + "\\" + name;
}

const char kEvents[] = "AppEvents\\Schemes\\Apps\\Vigilark";

std::string EventFile(int index)
{
    char file[260] = "x";
    int length = SoundEventFile(index, file, sizeof file);
    EXPECT_EQ((int)strlen(file), length) << index;
    return file;
}

const char kScratch[] = "Software\\Brondlewick\\VigilarkTests";

std::string TracePath() { return WindowsFile(TraceFileName()); }
std::string TraceText() { return ReadWholeFile(TracePath()); }

class RegistryTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        DeleteFileA(TracePath().c_str());
        SetTraceCounter(0);
    }
    void TearDown() override { SetTraceCounter(TRACE_OFF); }
    SavedKey scratch_{HKEY_CURRENT_USER, kScratch};
};

}  // namespace

TEST(HostsFile, LivesInTheDriversFolderAndItsLockIsTheReadOnlyAttribute)
{
    char path[MAX_PATH], system[MAX_PATH];
    HostsPath(path, sizeof path);
    GetSystemDirectoryA(system, sizeof system);
    ASSERT_EQ(std::string(system) + "\\drivers\\etc\\HOSTS", path);
    DWORD attributes = GetFileAttributesA(path);
    SetFileAttributesA(path, FILE_ATTRIBUTE_NORMAL);
    std::string saved = ReadWholeFile(path);

    ASSERT_TRUE(WriteWholeFile(path, "127.0.0.1 localhost\r\n"));
    SetFileAttributesA(path, FILE_ATTRIBUTE_HIDDEN);
    EXPECT_EQ(0, HostsLock(HOSTS_QUERY));
    EXPECT_EQ(1, HostsLock(HOSTS_LOCK));
    EXPECT_EQ(1, HostsLock(HOSTS_QUERY));
    const DWORD both = FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN;
    EXPECT_EQ(both, GetFileAttributesA(path) & both) << "the others are kept";
    EXPECT_EQ(0, HostsLock(HOSTS_UNLOCK));
    EXPECT_EQ((DWORD)FILE_ATTRIBUTE_HIDDEN, GetFileAttributesA(path) & both);

    // A missing file changes nothing.
    SetFileAttributesA(path, FILE_ATTRIBUTE_NORMAL);
    DeleteFileA(path);
    EXPECT_EQ(HOSTS_MISSING, HostsLock(HOSTS_QUERY));
    EXPECT_EQ(HOSTS_MISSING, HostsLock(HOSTS_LOCK));
    EXPECT_FALSE(Exists(path));
    if (attributes != INVALID_FILE_ATTRIBUTES) {
        WriteWholeFile(path, saved);
        SetFileAttributesA(path, attributes);
    }
}

TEST(RestartCommands, PendingCommandsAreShownOnlyWithTheRestartProgramAndCanBeDeleted)
{
    // Like the NT family, the test prefix has no wininit.exe: nothing is pending or shown.
    std::string program = WindowsFile("wininit.exe"), file = WindowsFile("wininit.ini");
    DeleteFileA(program.c_str());
    ASSERT_TRUE(WriteWholeFile(file, "NUL=C:\\X.EXE\r\n"));
    EXPECT_EQ(0, ShowRestartCommands(true));
    EXPECT_EQ(0, ShowRestartCommands(false));

    ASSERT_TRUE(WriteWholeFile(program, "MZ"));
    ASSERT_TRUE(WriteWholeFile(file, ""));
    EXPECT_EQ(0, ShowRestartCommands(true)) << "an empty file holds no commands";
    ASSERT_TRUE(WriteWholeFile(file, "[rename]\nNUL=C:\\BAD.EXE\n"));
    EXPECT_EQ(1, ShowRestartCommands(true));
    EXPECT_TRUE(Exists(file));

    std::string shown, caption;
    EXPECT_EQ(1, shell_fixture::RunWithDialog([] { return ShowRestartCommands(false); },
                                              [&](HWND viewer) {
                                                  char text[256] = "";
                                                  GetDlgItemTextA(viewer, IDC_WININIT_TEXT, text, sizeof text);
                                                  shown = text;
                                                  caption = shell_fixture::TextOf(viewer);
                                                  PostMessageA(viewer, WM_COMMAND, IDC_WININIT_DELETE, 0);
                                              }));
    EXPECT_EQ("[rename]\r\nNUL=C:\\BAD.EXE\r\n", shown) << "line feeds are shown as line breaks";
    EXPECT_EQ("Vigilark - Windows Restart Commands", caption);
    EXPECT_FALSE(Exists(file));
    DeleteFileA(program.c_str());
}

TEST(Sounds, EachEventReadsItsOwnCurrentKeyAndNothingPlaysWithSoundsOff)
{
    SavedKey events(HKEY_CURRENT_USER, kEvents);
    SavedKey open(HKEY_CURRENT_USER, std::string(kEvents) + "\\Open\\.current");
    SavedKey cookie(HKEY_CURRENT_USER, std::string(kEvents) + "\\Cookie Alert\\.current");
    open.Clear();
    EXPECT_EQ("", EventFile(SOUND_OPEN)) << "the key without its value: the built-in wave";
    EXPECT_NE(nullptr, FindResourceA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDW_OPEN_SOUND), "WAVE"));
    PutRegString(HKEY_CURRENT_USER, std::string(kEvents) + "\\Open\\.current", nullptr, "C:\\sounds\\open.wav");
    PutRegString(HKEY_CURRENT_USER, std::string(kEvents) + "\\Cookie Alert\\.current", nullptr,
                 "%SystemRoot%\\media\\cookie.wav", REG_EXPAND_SZ);
    EXPECT_EQ("C:\\sounds\\open.wav", EventFile(SOUND_OPEN));
    EXPECT_EQ("C:\\windows\\media\\cookie.wav", EventFile(SOUND_COOKIE_ALERT));
    EXPECT_EQ("", EventFile(SOUND_STARTUP_ALERT));
    EXPECT_EQ("C:\\sounds\\open.wav", EventFile(77)) << "an index above 3 is the Open event";
    int saved = CurrentOptions().sound;
    for (int off : {0, -1}) {
        CurrentOptions().sound = off;
        EXPECT_EQ(SOUND_COOKIE_ALERT, PlaySoundEvent(SOUND_COOKIE_ALERT)) << "the index comes back";
    }
    CurrentOptions().sound = saved;
}

TEST_F(RegistryTest, TextAsLongAsTheCapacityIsRefusedWithATraceRecord)
{
    ASSERT_TRUE(SetRegString(HKEY_CURRENT_USER, kScratch, "long", "0123456789"));
    char out[10] = "x", fits[11];
    EXPECT_EQ(0, ReadRegString(HKEY_CURRENT_USER, kScratch, "long", out, sizeof out));
    EXPECT_STREQ("", out);
    EXPECT_NE(std::string::npos, TraceText().find("0123456789: Registry Error #1024: Buffer overflow contained"));
    EXPECT_EQ(10, ReadRegString(HKEY_CURRENT_USER, kScratch, "long", fits, sizeof fits));
}

TEST_F(RegistryTest, MissingValuesAndKeysLeaveTraceRecords)
{
    char out[16] = "x";
    EXPECT_EQ(0, ReadRegString(HKEY_CURRENT_USER, kScratch, "absent", out, sizeof out));
    EXPECT_STREQ("", out);
    std::string missing = std::string(kScratch) + "\\Missing";
    EXPECT_EQ(0, SetRegString(HKEY_CURRENT_USER, missing.c_str(), "v", "1"));
    std::vector<RegValue> none;
    EXPECT_FALSE(ReadRegValues(HKEY_CURRENT_USER, missing.c_str(), none)) << "the key was not made";
    EXPECT_NE(std::string::npos, TraceText().find("ERROR RegOpenKeyEx:SetRegValue"));
    EXPECT_EQ(0, DeleteRegValue(HKEY_CURRENT_USER, kScratch, "absent"));
    EXPECT_NE(std::string::npos, TraceText().find("ERROR RegDeleteValue: absent"));
    EXPECT_EQ(1, SetRegDword(HKEY_CURRENT_USER, kScratch, "n", 5));
    EXPECT_EQ(0, ReadRegString(HKEY_CURRENT_USER, kScratch, "n", out, sizeof out)) << "not text";
}

TEST_F(RegistryTest, TraceStopsAfter9001RecordsARun)
{
    // Counting needs no file: a folder that does not exist makes every write fail at once.
    std::string saved = TraceFileName();
    SetTraceFileName("Z:\\no-such-folder-for-vigilark\\trace.txt");
    int written = 0;
    for (int i = 0; i < 9002; ++i) written += Trace("m", "d");
    SetTraceFileName(saved.c_str());
    EXPECT_EQ(9001, written);
    EXPECT_EQ(0, Trace("m", "d"));
}
