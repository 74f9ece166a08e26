// Help files, the server address, the AOL client and the version text, against the
// files, windows, win.ini and registry of the test prefix.
#include "support/scratch_registry.h"

#include "foundations/paths.h"
#include "foundations/registry.h"
#include "resource.h"
#include "shell/help.h"
#include "shell/help_addresses.h"
#include "version.h"

#include <gtest/gtest.h>

#include <string>

namespace {

std::string TempFolder(const char* name)
{
    char temp[MAX_PATH];
    GetTempPathA(sizeof temp, temp);
    std::string folder = std::string(temp) + name;
    CreateDirectoryA(folder.c_str(), nullptr);
    return folder;
}

std::string ThisProgram()
{
    char path[MAX_PATH];
    GetModuleFileNameA(nullptr, path, sizeof path);
    return path;
}

bool WriteTextFile(const std::string& path, const char* text)
{
    HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    DWORD written = 0;
    BOOL ok = WriteFile(file, text, (DWORD)strlen(text), &written, nullptr);
    CloseHandle(file);
    return ok != FALSE;
}

std::string Target(int command, WORD language, int* local)
{
    char target[WEB_ADDRESS_CHARS];
    *local = HelpTarget(command, language, target, sizeof target);
    return target;
}

// Runs the test in a folder of its own as the current directory, and goes back after.
class InScratchFolder : public ::testing::Test {
protected:
    void SetUp() override
    {
        GetCurrentDirectoryA(sizeof previous_, previous_);
        folder_ = TempFolder("vigilark-help-test");
        SetCurrentDirectoryA(folder_.c_str());
    }
    void TearDown() override
    {
        SetCurrentDirectoryA(previous_);
        RemoveDirectoryA(folder_.c_str());
    }

    char previous_[MAX_PATH] = "";
    std::string folder_;
};

}  // namespace

TEST(ServerAddress, ComesFromTheStringTableAndCanBeOverridden)
{
    char server[256];
    ServerAddress(server, sizeof server);
    EXPECT_STREQ("http://vigilark.invalid/", server);

    ScratchKey key(HKEY_LOCAL_MACHINE, VIGILARK_KEY);
    SavedValue saved(HKEY_LOCAL_MACHINE, VIGILARK_KEY, "LString263");
    ASSERT_TRUE(PutRegString(HKEY_LOCAL_MACHINE, VIGILARK_KEY, "LString263", "http://mirror.test"));
    ServerAddress(server, sizeof server);
    EXPECT_STREQ("http://mirror.test/", server);  // page names still go after a slash
}

TEST_F(InScratchFolder, GermanHelpIsTheLocalFileWhenFoundElseTheServersPage)
{
    std::string file = folder_ + "\\de_scheduler.html";
    ASSERT_TRUE(WriteTextFile(file, "<html></html>"));
    int local = -1;
    EXPECT_EQ("de_scheduler.html", Target(CMD_SCHEDULED_PAGE, LANG_GERMAN, &local));
    EXPECT_EQ(1, local);

    DeleteFileA(file.c_str());
    EXPECT_EQ("http://vigilark.invalid/de_scheduler.html", Target(CMD_SCHEDULED_PAGE, LANG_GERMAN, &local));
    EXPECT_EQ(0, local);
}

TEST_F(InScratchFolder, InstalledHelpBesideTheProgramIsFoundFromAnyFolder)
{
    // The build puts the help pages beside the executables, the test program's folder.
    char directory[MAX_PATH];
    ASSERT_GT(ProgramDirectory(directory, sizeof directory), 0);
    std::string beside = std::string(directory) + "\\startup.html";
    ASSERT_TRUE(FileExists(beside.c_str())) << beside;

    int local = -1;
    EXPECT_EQ(beside, Target(CMD_STARTUP_PAGE, LANG_ENGLISH, &local));
    EXPECT_EQ(1, local);
    for (const char* topic : {"cookies.html", "tasks.html", "options.html", "services.html", "scheduler.html",
                              "bho.html", "filetype.html", "features.html"})
        EXPECT_TRUE(FileExists((std::string(directory) + "\\" + topic).c_str())) << topic;
}

TEST(AolClient, IsRunningWhenOneOfItsWindowsExists)
{
    EXPECT_FALSE(IsAolRunning());
    WNDCLASSA frame25 = {};
    frame25.lpfnWndProc = DefWindowProcA;
    frame25.hInstance = GetModuleHandleA(nullptr);
    frame25.lpszClassName = "AOL Frame25";
    WNDCLASSA frame = frame25;
    frame.lpszClassName = "AOL Frame";
    ASSERT_TRUE(RegisterClassA(&frame25));
    ASSERT_TRUE(RegisterClassA(&frame));

    auto runningWith = [](const char* windowClass, const char* title) {
        HWND window = CreateWindowExA(0, windowClass, title, WS_OVERLAPPED, 0, 0, 10, 10, nullptr, nullptr,
                                      GetModuleHandleA(nullptr), nullptr);
        bool running = IsAolRunning();
        DestroyWindow(window);
        return running;
    };
    EXPECT_TRUE(runningWith("AOL Frame25", "America  Online"));
    EXPECT_TRUE(runningWith("AOL Frame25", "America Online"));
    EXPECT_TRUE(runningWith("AOL Frame25", "AOL"));
    EXPECT_TRUE(runningWith("AOL Frame25", "AOL Canada"));
    EXPECT_TRUE(runningWith("AOL Frame", "America  Online"));
    EXPECT_FALSE(runningWith("AOL Frame", "AOL"));
    EXPECT_FALSE(runningWith("AOL Frame25", "Mail"));
    EXPECT_FALSE(IsAolRunning());

    UnregisterClassA("AOL Frame25", GetModuleHandleA(nullptr));
    UnregisterClassA("AOL Frame", GetModuleHandleA(nullptr));
}

TEST(AolClient, CommandComesFromTheAppPathOfWinIni)
{
    char previous[512];
    GetProfileStringA("WAOL", "AppPath", "<none>", previous, sizeof previous);
    char command[WEB_COMMAND_CHARS];

    ASSERT_TRUE(WriteProfileStringA("WAOL", "AppPath", "C:\\Program Files\\AOL 9.0"));
    AolCommandFor("http://vigilark.invalid/news.html", false, 512, command, sizeof command);
    EXPECT_STREQ("C:\\Program Files\\AOL 9.0\\WAOL.EXE -uhttp://vigilark.invalid/news.html", command);
    // The help reads the path into a shorter buffer than the other links.
    AolCommandFor("http://vigilark.invalid/bho.html", true, 8, command, sizeof command);
    EXPECT_STREQ("C:\\Prog\\WAOL.EXE -u\"http://vigilark.invalid/bho.html\"", command);

    WriteProfileStringA("WAOL", "AppPath", nullptr);
    AolCommandFor("http://vigilark.invalid/bho.html", true, 260, command, sizeof command);
    EXPECT_STREQ("waol.exe -u\"http://vigilark.invalid/bho.html\"", command);

    if (strcmp(previous, "<none>") != 0) WriteProfileStringA("WAOL", "AppPath", previous);
}

namespace {

// Copies of this test program (which carries the console's version resource) under the
// monitor's and the console's names, in a folder of their own.
class VersionFolder : public ::testing::Test {
protected:
    void SetUp() override { folder_ = TempFolder("vigilark-version-test"); }
    void TearDown() override
    {
        DeleteFileA(Monitor().c_str());
        DeleteFileA(Console().c_str());
        RemoveDirectoryA(folder_.c_str());
    }
    std::string Monitor() const { return folder_ + "\\Vigilark.exe"; }
    std::string Console() const { return folder_ + "\\VigilarkEx.exe"; }
    std::string Text(int* length) const
    {
        char text[300];
        *length = VersionTextIn(folder_.c_str(), text, sizeof text);
        return text;
    }

    std::string folder_;
};

}  // namespace

TEST_F(VersionFolder, MonitorVersionThenAColonAndTheConsoleVersion)
{
    int length = 0;
    ASSERT_TRUE(CopyFileA(ThisProgram().c_str(), Monitor().c_str(), FALSE));
    EXPECT_EQ(VIGILARK_VERSION_STRING, Text(&length));  // no console there: no colon
    EXPECT_EQ((int)strlen(VIGILARK_VERSION_STRING), length);

    ASSERT_TRUE(CopyFileA(ThisProgram().c_str(), Console().c_str(), FALSE));
    std::string both = VIGILARK_VERSION_STRING ":" VIGILARK_VERSION_STRING;
    EXPECT_EQ(both, Text(&length));
    EXPECT_EQ((int)both.size(), length);
}

TEST_F(VersionFolder, WithoutTheMonitorsVersionThereIsNoText)
{
    int length = -1;
    ASSERT_TRUE(CopyFileA(ThisProgram().c_str(), Console().c_str(), FALSE));
    EXPECT_EQ("", Text(&length));
    EXPECT_EQ(0, length);

    // A monitor file without a version resource counts as no version.
    ASSERT_TRUE(WriteTextFile(Monitor(), "not a program"));
    EXPECT_EQ("", Text(&length));
    EXPECT_EQ(0, length);
}

TEST(ProgramLookup, SendsTheProgramsVendorVersionAndOurBuild)
{
    char build[300];
    VersionText(build, sizeof build);
    char address[WEB_ADDRESS_CHARS];
    ASSERT_GT(LookUpAddress(450, ThisProgram().c_str(), true, address, sizeof address), 0);
    std::string expected = std::string("http://vigilark.invalid/cgi-bin/roroinfo.pl?program=INTEGRATION.EXE") +
                           "&vendor=Brondlewick&version=" VIGILARK_VERSION_STRING "&build=" + build + "&Type=450&Loc=en";
    EXPECT_EQ(expected, address);

    // The version fields are read from the text as given: with arguments there are none.
    std::string withArguments = ThisProgram() + " -x";
    LookUpAddress(12, withArguments.c_str(), true, address, sizeof address);
    EXPECT_NE(std::string::npos, std::string(address).find("program=INTEGRATION.EXE&vendor=&version=&build="));
}
