// The downloads as a user meets them, in a fresh prefix of their own (package_bed.sh): the
// installer run silently, into Program Files and into a folder of the user's choice, its
// uninstaller run silently and by hand, and the portable zip unpacked into a folder whose
// name has a blank. The installer is the 64-bit one: the same script as the shipped one, and
// like it it installs the x86_64 programs on a 64-bit Windows; the zip carries both builds.
#include "foundations/shortcut.h"
#include "resource.h"
#include "support/console_fixture.h"
#include "support/views.h"
#include "version.h"

#include <shlobj.h>
#include <tlhelp32.h>

#include <algorithm>
#include <cstring>

namespace {

const char kUninstallKey[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Vigilark";
const char kRunKey[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";
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

DWORD GetRegDword(HKEY hive, const char* subkey, const char* name)
{
    std::string data;
    DWORD type = 0, value = 0;
    if (ReadRegRaw(hive, subkey, name, data, &type) && type == REG_DWORD && data.size() == sizeof value)
        memcpy(&value, data.data(), sizeof value);
    return value;
}

bool KeyExists(HKEY hive, const char* subkey)
{
    std::vector<RegValue> values;
    return ReadRegValues(hive, subkey, values);
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

// The processor a program is built for (IMAGE_FILE_MACHINE_...), 0 when it is no program.
WORD MachineOf(const std::string& path)
{
    std::string bytes = ReadWholeFile(path);
    IMAGE_DOS_HEADER dos = {};
    if (bytes.size() < sizeof dos) return 0;
    memcpy(&dos, bytes.data(), sizeof dos);
    IMAGE_FILE_HEADER file = {};
    size_t at = (size_t)dos.e_lfanew + 4;  // after "PE\0\0"
    if (dos.e_magic != IMAGE_DOS_SIGNATURE || bytes.size() < at + sizeof file) return 0;
    memcpy(&file, bytes.data() + at, sizeof file);
    return file.Machine;
}

// The shortcut's target in long form, or why there is none.
std::string ShortcutTarget(const std::string& path)
{
    char target[MAX_PATH] = "", description[MAX_PATH] = "", longPath[MAX_PATH] = "";
    HRESULT result = ResolveShortcut(nullptr, path.c_str(), target, sizeof target, description, sizeof description);
    if (result != S_OK) return "<" + std::string(description) + ">";
    return GetLongPathNameA(target, longPath, sizeof longPath) ? longPath : target;
}

// Starts a command line; the process (its thread's handle closed), or none.
PROCESS_INFORMATION Start(std::string line)
{
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process = {};
    if (CreateProcessA(nullptr, &line[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process))
        CloseHandle(process.hThread);
    return process;
}

// Runs a program and waits for it; its exit code, or -1.
int RunAndWait(const std::string& line, DWORD timeoutMs = 60000)
{
    PROCESS_INFORMATION process = Start(line);
    DWORD code = (DWORD)-1;
    if (process.hProcess && WaitForSingleObject(process.hProcess, timeoutMs) == WAIT_OBJECT_0)
        GetExitCodeProcess(process.hProcess, &code);
    if (process.hProcess) CloseHandle(process.hProcess);
    return (int)code;
}

// The uninstaller copies itself into the temporary folder, starts that copy and ends at once,
// so that it can remove its own file: the copy is the process to wait for.
HANDLE StartUninstaller(const std::string& arguments)
{
    PROCESS_INFORMATION first = Start(GetRegString(HKEY_LOCAL_MACHINE, kUninstallKey, "UninstallString") + " " + arguments);
    if (!first.hProcess) return nullptr;
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
};

// What the user can still undo: the history, a disabled shortcut and a removed program.
void PlantUserData(const std::string& folder)
{
    ASSERT_TRUE(WriteWholeFile(folder + "\\history.txt", "a change\r\n"));
    for (const char* file : {"\\Disabled\\Tool.lnk", "\\Removed\\tool.exe"}) {
        std::string path = folder + file;
        CreateDirectoryA(path.substr(0, path.rfind('\\')).c_str(), nullptr);
        ASSERT_TRUE(WriteWholeFile(path, file));
    }
}

std::string SetupLine(const char* arguments) { return std::string("\"") + VIGILARK_SETUP_PATH + "\" " + arguments; }

}  // namespace

TEST_F(Package, SilentInstallPutsEverythingInPlaceAndSilentUninstallKeepsTheUserData)
{
    const std::string folder = SpecialFolder(CSIDL_PROGRAM_FILES) + "\\Vigilark";
    // The console's first start comes after the installation, as on a user's machine.
    DeleteRegTree(HKEY_CURRENT_USER, VIGILARK_KEY);
    for (const std::string& value : MonitorRunValues())
        DeleteRegValue(HKEY_LOCAL_MACHINE, kRunKey, value.substr(0, value.find('=')).c_str());
    ASSERT_EQ(0, RunAndWait(SetupLine("/S")));

    EXPECT_EQ(std::vector<std::string>(), Found(folder, InstalledFiles(), false)) << folder;
    for (const char* program : {"\\VigilarkEx.exe", "\\Vigilark.exe"})
        EXPECT_EQ(IMAGE_FILE_MACHINE_AMD64, MachineOf(folder + program)) << "the 64-bit programs on 64-bit Windows";
    EXPECT_EQ(folder + "\\VigilarkEx.exe", ShortcutTarget(Shortcut()));
    EXPECT_EQ("Vigilark Explorer", GetRegString(HKEY_LOCAL_MACHINE, kUninstallKey, "DisplayName"));
    EXPECT_EQ(kVersion, GetRegString(HKEY_LOCAL_MACHINE, kUninstallKey, "DisplayVersion"));
    EXPECT_EQ("Brondlewick", GetRegString(HKEY_LOCAL_MACHINE, kUninstallKey, "Publisher"));
    EXPECT_EQ(folder + "\\VigilarkEx.exe,0", GetRegString(HKEY_LOCAL_MACHINE, kUninstallKey, "DisplayIcon"));
    EXPECT_EQ("\"" + folder + "\\Uninstall.exe\"", GetRegString(HKEY_LOCAL_MACHINE, kUninstallKey, "UninstallString"));
    // In KiB: at least the console itself.
    HANDLE console = CreateFileA((folder + "\\VigilarkEx.exe").c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                 OPEN_EXISTING, 0, nullptr);
    DWORD consoleKiB = GetFileSize(console, nullptr) / 1024;
    CloseHandle(console);
    EXPECT_GE(GetRegDword(HKEY_LOCAL_MACHINE, kUninstallKey, "EstimatedSize"), consoleKiB);
    ASSERT_EQ(1u, MonitorRunValues().size()) << "the monitor starts with Windows by default";

    // The first start records the monitor's automatic start itself: the installer's Run value
    // must be the very one the console writes, or there would now be two.
    std::vector<std::string> installed = MonitorRunValues();
    StartAndClose(folder + "\\VigilarkEx.exe");
    EXPECT_EQ(installed, MonitorRunValues());
    EXPECT_TRUE(KeyExists(HKEY_CURRENT_USER, VIGILARK_KEY));

    ASSERT_NO_FATAL_FAILURE(PlantUserData(folder));

    ASSERT_TRUE(Ended(StartUninstaller("/S")));
    EXPECT_EQ(std::vector<std::string>(), Found(folder, InstalledFiles())) << folder;
    EXPECT_FALSE(Exists(Shortcut()));
    EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, kUninstallKey));
    EXPECT_EQ(std::vector<std::string>(), MonitorRunValues());
    EXPECT_EQ("a change\r\n", ReadWholeFile(folder + "\\history.txt"));
    EXPECT_TRUE(Exists(folder + "\\Disabled\\Tool.lnk"));
    EXPECT_TRUE(Exists(folder + "\\Removed\\tool.exe"));
    EXPECT_TRUE(KeyExists(HKEY_CURRENT_USER, VIGILARK_KEY));
}

// The uninstaller asks before it removes what the user could still undo; told yes, it removes
// that too, and the folder with it.
TEST_F(Package, InstallIntoAChosenFolderAndUninstallAskedToRemoveTheUserData)
{
    const std::string folder = "C:\\Some Tools\\Vigilark Here";
    ASSERT_EQ(0, RunAndWait(SetupLine(("/S /D=" + folder).c_str())));
    EXPECT_EQ(std::vector<std::string>(), Found(folder, InstalledFiles(), false)) << folder;
    EXPECT_EQ(folder, GetRegString(HKEY_LOCAL_MACHINE, kUninstallKey, "InstallLocation"));
    EXPECT_EQ(folder + "\\VigilarkEx.exe", ShortcutTarget(Shortcut()));
    EXPECT_FALSE(Exists(SpecialFolder(CSIDL_PROGRAM_FILES) + "\\Vigilark\\VigilarkEx.exe"));

    ASSERT_NO_FATAL_FAILURE(PlantUserData(folder));
    ASSERT_TRUE(PutRegString(HKEY_CURRENT_USER, VIGILARK_OPTIONS_KEY, "Start", "1"));
    ASSERT_TRUE(PutRegString(HKEY_LOCAL_MACHINE, In32BitView(VIGILARK_KEY "\\Disabled"), "Tool", "1"));

    HANDLE uninstaller = StartUninstaller("");
    ASSERT_NE(nullptr, uninstaller);
    DWORD id = GetProcessId(uninstaller);
    HWND window = nullptr, question = nullptr;
    ASSERT_TRUE(WaitFor([&] { return (window = FindVisibleWindow("#32770", id)) && IsWindowEnabled(GetDlgItem(window, IDOK)); }));
    PressButton(window, IDOK);  // Uninstall
    ASSERT_TRUE(WaitFor([&] {
        question = FindVisibleWindow("#32770", id, 0, window);
        return question && !WindowText(GetDlgItem(question, 0xFFFF)).empty();
    })) << "no question before the user data goes";
    EXPECT_NE(std::string::npos, WindowText(GetDlgItem(question, 0xFFFF)).find("history"));
    PressButton(question, IDYES);
    ASSERT_TRUE(WaitFor([&] { return !IsWindow(question) && IsWindowEnabled(GetDlgItem(window, IDOK)); }, 30000));
    PressButton(window, IDOK);  // Close
    ASSERT_TRUE(Ended(uninstaller));

    EXPECT_FALSE(Exists(folder)) << "the folder goes once it is empty";
    EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, VIGILARK_KEY));
    EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, In32BitView(VIGILARK_KEY).c_str()));
    EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, kUninstallKey));
    EXPECT_FALSE(Exists(Shortcut()));
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
        WORD machine;
    } builds[] = {{"\\32-bit", IMAGE_FILE_MACHINE_I386}, {"\\64-bit", IMAGE_FILE_MACHINE_AMD64}};
    for (const auto& build : builds) {
        EXPECT_EQ(std::vector<std::string>(), Found(folder + build.folder, files, false)) << build.folder;
        EXPECT_FALSE(Exists(folder + build.folder + "\\Uninstall.exe"));
        EXPECT_EQ(build.machine, MachineOf(folder + build.folder + "\\VigilarkEx.exe")) << build.folder;
    }
    EXPECT_NE(std::string::npos, ReadWholeFile(folder + "\\README.txt").find("start 64-bit\\VigilarkEx.exe"));
    StartAndClose(folder + "\\64-bit\\VigilarkEx.exe");
}
