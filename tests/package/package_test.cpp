// The downloads as a user meets them, in a fresh prefix of their own (package_bed.sh): the
// installer run silently, into Program Files and into a folder of the user's choice, its
// uninstaller run silently and by hand (answering No and Yes to removing the user's data), and
// the portable zip unpacked into a folder whose name has a blank. The installer is the 64-bit
// one: the same script as the shipped one, and like it it installs the x86_64 programs on a
// 64-bit Windows; the zip carries both builds.
#include "foundations/registry_tree.h"
#include "foundations/shortcut.h"
#include "support/console_fixture.h"
#include "support/views.h"
#include "version.h"

#include <shlobj.h>
#include <tlhelp32.h>

#include <algorithm>

namespace {

const char kUninstallKey[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Vigilark";
const char kVersion[] = VIGILARK_VERSION_STRING;

std::string SpecialFolder(int csidl)
{
    char path[MAX_PATH] = "";
    SHGetFolderPathA(nullptr, csidl, nullptr, SHGFP_TYPE_CURRENT, path);
    return path;
}

std::string Shortcut() { return SpecialFolder(CSIDL_COMMON_PROGRAMS) + "\\Vigilark Explorer.lnk"; }

// What the installer puts into its folder: both programs, the help pages (those beside this
// test program, where the build copies them) and the uninstaller.
std::vector<std::string> InstalledFiles()
{
    std::vector<std::string> names = {"VigilarkEx.exe", "Vigilark.exe", "Uninstall.exe"};
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA(BesideTestProgram("*.html").c_str(), &found);
    for (BOOL more = search != INVALID_HANDLE_VALUE; more; more = FindNextFileA(search, &found))
        names.push_back(found.cFileName);
    if (search != INVALID_HANDLE_VALUE) FindClose(search);
    return names;
}

// Those of the names that are (or are not) files of the folder.
std::vector<std::string> Found(const std::string& folder, const std::vector<std::string>& names, bool present = true)
{
    std::vector<std::string> found;
    for (const std::string& name : names)
        if (Exists(folder + "\\" + name) == present) found.push_back(name);
    return found;
}

// The Run values that start a vigilark.exe: "name=command".
std::vector<std::string> MonitorRunValues()
{
    std::vector<std::string> values;
    std::vector<RegValue> all;
    ReadRegValues(HKEY_LOCAL_MACHINE, kRunKey, all);
    for (const RegValue& value : all) {
        std::string command = value.data.c_str();
        CharLowerBuffA(&command[0], (DWORD)command.size());
        if (command.find("vigilark.exe") != std::string::npos) values.push_back(value.name + "=" + value.data.c_str());
    }
    return values;
}

// What a program is built for (SCS_32BIT_BINARY, SCS_64BIT_BINARY), -1 when it is no program.
int BinaryType(const std::string& path)
{
    DWORD type = 0;
    return GetBinaryTypeA(path.c_str(), &type) ? (int)type : -1;
}

// The shortcut's target in long form, or why there is none.
std::string ShortcutTarget(const std::string& path)
{
    char target[MAX_PATH] = "", description[MAX_PATH] = "", longPath[MAX_PATH] = "";
    HRESULT result = ResolveShortcut(nullptr, path.c_str(), target, sizeof target, description, sizeof description);
    if (result != S_OK) return "<" + std::string(description) + ">";
    return GetLongPathNameA(target, longPath, sizeof longPath) ? longPath : target;
}

// The uninstaller copies itself into the temporary folder, starts that copy and ends at once,
// so that it can remove its own file: the copy is the process to wait for.
HANDLE StartUninstaller(const std::string& arguments)
{
    std::string line = GetRegString(HKEY_LOCAL_MACHINE, kUninstallKey, "UninstallString") + " " + arguments;
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION first = {};
    if (!CreateProcessA(nullptr, &line[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &first)) return nullptr;
    CloseHandle(first.hThread);
    WaitForSingleObject(first.hProcess, 30000);
    HANDLE copy = nullptr;
    HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    PROCESSENTRY32 entry = {};
    entry.dwSize = sizeof entry;
    for (BOOL more = Process32First(snapshot, &entry); more && !copy; more = Process32Next(snapshot, &entry))
        if (entry.th32ParentProcessID == first.dwProcessId)
            copy = OpenProcess(SYNCHRONIZE | PROCESS_QUERY_INFORMATION, FALSE, entry.th32ProcessID);
    CloseHandle(snapshot);
    CloseHandle(first.hProcess);
    return copy;
}

bool Ended(HANDLE process, DWORD timeoutMs = 60000)
{
    bool ended = process && WaitForSingleObject(process, timeoutMs) == WAIT_OBJECT_0;
    if (process) CloseHandle(process);
    return ended;
}

class Package : public ConsoleTest {
protected:
    void SetUp() override
    {
        CoInitialize(nullptr);
        ConsoleTest::SetUp();
    }
    void TearDown() override
    {
        ConsoleTest::TearDown();
        CoUninitialize();
    }
    // Starts the console at path, checks that its sheet shows and that its About page gives
    // the version the installer registered, and closes it again.
    void StartAndClose(const std::string& path)
    {
        ASSERT_TRUE(Exists(path)) << path;
        ASSERT_TRUE(StartConsoleAt(path, "-RORO", run_)) << path;
        ASSERT_NE(nullptr, run_.sheet) << "no sheet from " << path;
        EXPECT_EQ(std::string("Vigilark v") + kVersion + ":" + kVersion,
                  WindowText(GetDlgItem(ActivePage(run_.sheet), IDC_ABOUT_VERSION)));
        EXPECT_EQ(0, CloseConsole(run_));
    }
    // Runs the uninstaller by hand: Uninstall, the question about the user's data answered, Close.
    static void UninstallByHand(int answer)
    {
        HANDLE uninstaller = StartUninstaller("");
        ASSERT_NE(nullptr, uninstaller);
        DWORD id = GetProcessId(uninstaller);
        HWND window = nullptr, question = nullptr;
        ASSERT_TRUE(WaitFor([&] { return (window = FindVisibleWindow("#32770", id)) && IsWindowEnabled(GetDlgItem(window, IDOK)); }));
        PressButton(window, IDOK);  // Uninstall
        ASSERT_TRUE(WaitFor([&] { return (question = FindVisibleWindow("#32770", id, 0, window)) && !BoxText(question).empty(); }))
            << "no question before the user data goes";
        PressButton(question, answer);
        ASSERT_TRUE(WaitFor([&] { return !IsWindow(question) && IsWindowEnabled(GetDlgItem(window, IDOK)); }, 30000));
        PressButton(window, IDOK);  // Close
        ASSERT_TRUE(Ended(uninstaller));
    }
    // What the user can still undo: the history, a disabled shortcut and a removed program; and
    // the program's settings.
    static void PlantUserData(const std::string& folder)
    {
        ASSERT_TRUE(WriteWholeFile(folder + "\\history.txt", "a change\r\n"));
        for (const char* file : {"\\Disabled\\Tool.lnk", "\\Removed\\tool.exe"}) {
            CreateDirectoryA((folder + file).substr(0, (folder + file).rfind('\\')).c_str(), nullptr);
            ASSERT_TRUE(WriteWholeFile(folder + file, file));
        }
        ASSERT_TRUE(PutRegString(HKEY_CURRENT_USER, VIGILARK_OPTIONS_KEY, "Start", "1"));
        ASSERT_TRUE(PutRegString(HKEY_LOCAL_MACHINE, In32BitView(VIGILARK_KEY "\\Disabled"), "Tool", "1"));
    }
    // "history disabled removed user machine": which of the user's data is still there.
    static std::string UserData(const std::string& folder)
    {
        std::string kept;
        for (const char* file : {"\\history.txt", "\\Disabled\\Tool.lnk", "\\Removed\\tool.exe"})
            kept += Exists(folder + file) ? "1" : "0";
        return kept + (RegKeyExists(HKEY_CURRENT_USER, VIGILARK_KEY) ? "1" : "0") +
               (RegKeyExists(HKEY_LOCAL_MACHINE, In32BitView(VIGILARK_KEY).c_str()) ? "1" : "0");
    }
    static std::string Setup(const std::string& arguments)
    {
        return std::string("\"") + VIGILARK_SETUP_PATH + "\" " + arguments;
    }
};

}  // namespace

TEST_F(Package, SilentInstallPutsEverythingInPlaceAndSilentUninstallKeepsTheUserData)
{
    const std::string folder = SpecialFolder(CSIDL_PROGRAM_FILES) + "\\Vigilark";
    // The console's first start comes after the installation, as on a user's machine.
    DeleteRegTree(HKEY_CURRENT_USER, VIGILARK_KEY);
    for (const std::string& value : MonitorRunValues())
        DeleteRegValue(HKEY_LOCAL_MACHINE, kRunKey, value.substr(0, value.find('=')).c_str());
    ASSERT_EQ(0, RunAndWait(Setup("/S")));
    EXPECT_EQ(std::vector<std::string>(), Found(folder, InstalledFiles(), false)) << folder;
    for (const char* program : {"\\VigilarkEx.exe", "\\Vigilark.exe"})
        EXPECT_EQ(SCS_64BIT_BINARY, BinaryType(folder + program)) << "the 64-bit programs on 64-bit Windows";
    EXPECT_EQ(folder + "\\VigilarkEx.exe", ShortcutTarget(Shortcut()));
    EXPECT_EQ("\"" + folder + "\\Uninstall.exe\"", GetRegString(HKEY_LOCAL_MACHINE, kUninstallKey, "UninstallString"));
    ASSERT_EQ(1u, MonitorRunValues().size()) << "the monitor starts with Windows by default";
    // The first start records the monitor's automatic start itself: the installer's Run value
    // must be the very one the console writes, or there would now be two.
    std::vector<std::string> installed = MonitorRunValues();
    StartAndClose(folder + "\\VigilarkEx.exe");
    EXPECT_EQ(installed, MonitorRunValues());
    ASSERT_NO_FATAL_FAILURE(PlantUserData(folder));

    ASSERT_TRUE(Ended(StartUninstaller("/S")));
    EXPECT_EQ(std::vector<std::string>(), Found(folder, InstalledFiles())) << folder;
    EXPECT_FALSE(Exists(Shortcut()) || RegKeyExists(HKEY_LOCAL_MACHINE, kUninstallKey));
    EXPECT_EQ(std::vector<std::string>(), MonitorRunValues());
    EXPECT_EQ("11111", UserData(folder));
}

// The uninstaller asks before it removes what the user could still undo: told no, it keeps that
// (and the folder holding it); told yes, it removes that too, and the folder with it.
TEST_F(Package, InstallIntoAChosenFolderAndUninstallByHandAnsweringNoThenYes)
{
    const std::string folder = "C:\\Some Tools\\Vigilark Here";
    for (int answer : {IDNO, IDYES}) {
        SCOPED_TRACE(answer == IDNO ? "No" : "Yes");
        ASSERT_EQ(0, RunAndWait(Setup("/S /D=" + folder)));
        EXPECT_EQ(std::vector<std::string>(), Found(folder, InstalledFiles(), false)) << folder;
        EXPECT_EQ(folder, GetRegString(HKEY_LOCAL_MACHINE, kUninstallKey, "InstallLocation"));
        EXPECT_EQ(folder + "\\VigilarkEx.exe", ShortcutTarget(Shortcut()));
        EXPECT_FALSE(Exists(SpecialFolder(CSIDL_PROGRAM_FILES) + "\\Vigilark\\VigilarkEx.exe"));
        ASSERT_NO_FATAL_FAILURE(PlantUserData(folder));
        ASSERT_NO_FATAL_FAILURE(UninstallByHand(answer));
        EXPECT_EQ(std::vector<std::string>(), Found(folder, InstalledFiles())) << folder;
        EXPECT_FALSE(Exists(Shortcut()) || RegKeyExists(HKEY_LOCAL_MACHINE, kUninstallKey));
        EXPECT_EQ(answer == IDNO ? "11111" : "00000", UserData(folder));
        EXPECT_EQ(answer == IDNO, Exists(folder)) << "the folder goes once it is empty";
    }
}

// Both builds, a folder each, and a note which to start; the 64-bit one runs here.
TEST_F(Package, ThePortableZipRunsFromAFolderWithABlankInItsName)
{
    const std::string folder = VIGILARK_PORTABLE_FOLDER;
    ASSERT_NE(std::string::npos, folder.find(' '));
    std::vector<std::string> files = InstalledFiles();
    files.erase(std::find(files.begin(), files.end(), "Uninstall.exe"));
    const struct {
        const char* folder;
        int type;
    } builds[] = {{"\\32-bit", SCS_32BIT_BINARY}, {"\\64-bit", SCS_64BIT_BINARY}};
    for (const auto& build : builds) {
        EXPECT_EQ(std::vector<std::string>(), Found(folder + build.folder, files, false)) << build.folder;
        EXPECT_FALSE(Exists(folder + build.folder + "\\Uninstall.exe"));
        EXPECT_EQ(build.type, BinaryType(folder + build.folder + "\\VigilarkEx.exe")) << build.folder;
    }
    EXPECT_NE(std::string::npos, ReadWholeFile(folder + "\\README.txt").find("start 64-bit\\VigilarkEx.exe"));
    StartAndClose(folder + "\\64-bit\\VigilarkEx.exe");
}
