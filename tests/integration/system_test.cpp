// The prefix's registry and system files as the program uses them: registry text too long to
// read and its trace record, wininit.ini's restart commands, programs found.
#include "foundations/paths.h"
#include "foundations/registry.h"
#include "foundations/trace.h"
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

TEST(RestartCommands, PendingCommandsAreShownOnlyWithTheRestartProgramAndCanBeDeleted)
{
    // Like the NT family, the test prefix has no wininit.exe: nothing is pending or shown.
    std::string program = WindowsFile("wininit.exe"), file = WindowsFile("wininit.ini");
    DeleteFileA(program.c_str());
    ASSERT_TRUE(WriteWholeFile(file, "NUL=C:\\X.EXE\r\n"));
    EXPECT_EQ(0, ShowRestartCommands(true));
    EXPECT_EQ(0, ShowRestartCommands(false));

    ASSERT_TRUE(WriteWholeFile(program, "MZ"));
    ASSERT_TRUE(WriteWholeFile(file, "[rename]\nNUL=C:\\BAD.EXE\n"));
    EXPECT_EQ(1, ShowRestartCommands(true));
    EXPECT_TRUE(Exists(file));

    // Held open by another program: the viewer says so and stays, attributes unchanged; then it deletes.
    SetFileAttributesA(file.c_str(), FILE_ATTRIBUTE_HIDDEN);
    std::string shown, refusal;
    bool stayed = false;
    DWORD attributes = 0;
    EXPECT_EQ(1, shell_fixture::RunWithDialog([] { return ShowRestartCommands(false); }, [&](HWND viewer) {
        char text[256] = "";
        GetDlgItemTextA(viewer, IDC_WININIT_TEXT, text, sizeof text);
        shown = text;
        HANDLE held = CreateFileA(file.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
        PostMessageA(viewer, WM_COMMAND, IDC_WININIT_DELETE, 0);
        refusal = shell_fixture::AnswerBoxOver(viewer, IDOK);
        CloseHandle(held);
        stayed = IsWindowVisible(viewer) != FALSE;
        attributes = GetFileAttributesA(file.c_str());
        PostMessageA(viewer, WM_COMMAND, IDC_WININIT_DELETE, 0);
    }));
    EXPECT_EQ("[rename]\r\nNUL=C:\\BAD.EXE\r\n", shown) << "line feeds are shown as line breaks";
    EXPECT_NE(std::string::npos, refusal.find("The restart commands could not be deleted.")) << refusal;
    EXPECT_TRUE(stayed) << "the commands are still pending and still shown";
    EXPECT_EQ((DWORD)FILE_ATTRIBUTE_HIDDEN, attributes & (FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_READONLY));
    EXPECT_FALSE(Exists(file));
    DeleteFileA(program.c_str());
}

TEST_F(RegistryTest, ValuesOfEverySizeAreReadWholeButTextAsLongAsTheCapacityIsRefusedWithATraceRecord)
{
    // Around the size read in one query, and well past it.
    for (size_t size : {0, 1, 511, 512, 513, 5000}) {
        std::string bytes;
        for (size_t i = 0; i < size; ++i) bytes += (char)('a' + i % 26);
        for (DWORD type : {DWORD(REG_BINARY), DWORD(REG_SZ)}) {
            std::string stored = type == REG_SZ ? bytes + '\0' : bytes, read;
            DWORD readType = 0;
            ASSERT_EQ(1, WriteRegRaw(HKEY_CURRENT_USER, kScratch, "value", stored, type));
            ASSERT_TRUE(ReadRegRaw(HKEY_CURRENT_USER, kScratch, "value", read, &readType));
            EXPECT_TRUE(stored == read && type == readType) << size << " bytes of type " << type;
        }
    }
    std::string read = "stale";
    EXPECT_FALSE(ReadRegRaw(HKEY_CURRENT_USER, kScratch, "missing", read, nullptr));
    EXPECT_EQ("", read);
    ASSERT_TRUE(SetRegString(HKEY_CURRENT_USER, kScratch, "long", "0123456789"));
    char out[10] = "x", fits[11];
    EXPECT_EQ(0, ReadRegString(HKEY_CURRENT_USER, kScratch, "long", out, sizeof out));
    EXPECT_STREQ("", out);
    EXPECT_NE(std::string::npos, TraceText().find("0123456789: Registry Error #1024: Buffer overflow contained"));
    EXPECT_EQ(10, ReadRegString(HKEY_CURRENT_USER, kScratch, "long", fits, sizeof fits));
}

TEST(ProgramFiles, FoundAsNamedOrInTheWindowsOrSystemFolder)
{
    char system[MAX_PATH], shortSystem[MAX_PATH];
    GetSystemDirectoryA(system, sizeof system);
    std::string regsvr = std::string(system) + "\\regsvr32.exe";
    ASSERT_TRUE(Exists(regsvr));
    ASSERT_FALSE(Exists(WindowsFile("regsvr32.exe"))) << "the bare name must be found only in the system folder";
    ASSERT_NE(0u, GetShortPathNameA(regsvr.c_str(), shortSystem, sizeof shortSystem));
    const struct { std::string name; int found; std::string after; } kCases[] = {  // after: the name as left
        {regsvr, 1, regsvr},
        {"notepad.exe", 1, "notepad.exe"},           // the Windows folder: the name stays
        {"regsvr32.exe", 1, shortSystem},            // the system folder: its short path
        {system, 0, system},                         // a folder is no program
        {"no-such-program.exe", 0, "no-such-program.exe"},
        {"a-bare-name-of-thirty-two-chars.exe", 0, "a-bare-name-of-thirty-two-chars.exe"},
        {"", 0, ""},
    };
    for (const auto& c : kCases) {
        char name[MAX_PATH];
        snprintf(name, sizeof name, "%s", c.name.c_str());
        EXPECT_EQ(c.found, FindProgramFile(name, sizeof name)) << c.name;
        EXPECT_STREQ(c.after.c_str(), name);
    }
}
