// The startup workloads: N entries planted in the Run keys of the three hives, the win.ini
// "run" and "load" lines and the Startup folder, each pointing at a program file of its own
// (one in ten at a file that does not exist); and the "shared" workload, whose entries point
// at only 20 programs. Cases: collecting the entries, and the Startup Programs page's fill
// in a real page window. The floor enumerates the same places as the listing rules require
// (each shortcut resolved, its target's short form taken), takes the long form of each
// distinct path, reads each distinct program's version resource once and the icons of the
// programs on the rows the page draws.
#include "bench.h"
#include "bench_page.h"
#include "startup_bench.h"
#include "timing.h"

#include "foundations/entries.h"
#include "foundations/paths.h"
#include "foundations/registry.h"
#include "foundations/registry_tree.h"
#include "foundations/shortcut.h"
#include "foundations/strings.h"
#include "foundations/system_view.h"
#include "foundations/text.h"
#include "foundations/winini.h"
#include "resource.h"
#include "shell/pages.h"
#include "startup/disabled_store.h"
#include "startup/startup_locations.h"
#include "startup/startup_scan.h"

#include <windows.h>
#include <commctrl.h>
#include <objbase.h>
#include <shellapi.h>
#include <shlobj.h>
#include <shlwapi.h>
#include <shobjidl.h>

#include <cstdio>
#include <map>
#include <set>
#include <string>
#include <vector>

namespace {

const HKEY kHives[] = {HKEY_LOCAL_MACHINE, HKEY_CURRENT_USER, HKEY_USERS};
const int kHiveKindBase[] = {0, 10, 20};
const char kUniqueFolder[] = "C:\\VkBench\\unique";
const char kSharedFolder[] = "C:\\VkBench\\shared";
const int kSharedPrograms = 20;
const int kSharedMissing = 2;  // programs 18 and 19 do not exist: one entry in ten

// The workload program's version texts, which name some of the entries.
const char kFileDescription[] = "Benchmark workload program";
const char kProductName[] = "Startup Benchmark Workload";
const char kProductVersion[] = "2.4.6.8";

// What the last planting left: counts for the floor's own check, and what each listed entry
// must show (by its Title and Command texts) for the checks of what the page drew.
struct PlantedRow {
    std::string program;  // the program whose icon it shows
    bool exists;
};
int g_plantedItems = 0;
int g_plantedListable = 0;
std::map<std::string, PlantedRow> g_plantedRows;
// The rows the page drew in its last fill: the floor reads the icons of as many rows.
int g_drawnRows = 0;

std::string Format(const char* format, int number)
{
    char text[MAX_PATH];
    FormatText(text, sizeof text, format, number);
    return text;
}

std::string WorkloadProgram()
{
    char directory[MAX_PATH];
    ProgramDirectory(directory, sizeof directory);
    return std::string(directory) + "\\bench_workload_program.exe";
}

bool MakeFolder(const std::string& folder)
{
    int rc = SHCreateDirectoryExA(nullptr, folder.c_str(), nullptr);
    return rc == ERROR_SUCCESS || rc == ERROR_ALREADY_EXISTS || rc == ERROR_FILE_EXISTS;
}

bool CopyProgram(const std::string& to)
{
    if (FileExists(to.c_str())) return true;
    if (CopyFileA(WorkloadProgram().c_str(), to.c_str(), TRUE)) return true;
    fprintf(stderr, "bench: cannot copy the workload program to %s (error %lu)\n", to.c_str(), GetLastError());
    return false;
}

int RunKind(int key) { return kHiveKindBase[key / 5] + key % 5 + 1; }

std::string RunSubkey(int kind)
{
    char subkey[MAX_PATH];
    RunKeyPath(kind, subkey, sizeof subkey);
    return subkey;
}

bool SetRun(int kind, const std::string& name, const std::string& command)
{
    HKEY key = nullptr;
    if (RegCreateKeyA(RunKindHive(kind), RunSubkey(kind).c_str(), &key) != ERROR_SUCCESS) return false;
    LONG rc = RegSetValueExA(key, name.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(command.c_str()),
                             (DWORD)command.size() + 1);
    RegCloseKey(key);
    return rc == ERROR_SUCCESS;
}

void ClearRunKey(int kind)
{
    HKEY key = nullptr;
    if (RegOpenKeyExA(RunKindHive(kind), RunSubkey(kind).c_str(), 0, KEY_ALL_ACCESS, &key) != ERROR_SUCCESS) return;
    std::vector<std::string> names;
    char name[16384];
    for (DWORD index = 0;; ++index) {
        DWORD size = sizeof name;
        LONG rc = RegEnumValueA(key, index, name, &size, nullptr, nullptr, nullptr, nullptr);
        if (rc == ERROR_NO_MORE_ITEMS) break;
        if (rc == ERROR_SUCCESS) names.push_back(name);
    }
    for (const std::string& value : names) RegDeleteValueA(key, value.c_str());
    RegCloseKey(key);
}

// The Startup folders the collection walks: (folder, depth) for each hive's "Startup" and
// "Common Startup" value; a folder named twice is walked twice.
std::vector<std::pair<std::string, int>> NamedStartupFolders()
{
    std::vector<std::pair<std::string, int>> folders;
    for (HKEY hive : kHives) {
        char folder[MAX_PATH];
        if (ShellFolder(hive, "Startup", folder, sizeof folder) > 0) {
            RemoveBackslash(folder, 0);
            folders.emplace_back(folder, 0);
        }
        if (ShellFolder(hive, "Common Startup", folder, sizeof folder) > 0) {
            RemoveBackslash(folder, 0);
            folders.emplace_back(folder, 1);
        }
    }
    return folders;
}

void EmptyFolder(const std::string& folder, int depth)
{
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((folder + "\\*.*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return;
    do {
        std::string path = folder + "\\" + found.cFileName;
        if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
            if (found.cFileName[0] != '.' && depth > 0) EmptyFolder(path, depth - 1);
        } else {
            ForceDeleteFile(path.c_str());
        }
    } while (FindNextFileA(search, &found));
    FindClose(search);
}

// Everything the collection reads, emptied: a fresh prefix has entries of its own.
void ClearStartupPlaces()
{
    for (int key = 0; key < 15; ++key) ClearRunKey(RunKind(key));
    WriteProfileStringA("windows", "run", nullptr);
    WriteProfileStringA("windows", "load", nullptr);
    DeleteRegistryTree(ProgramMachineRoot(), DISABLED_STORE_KEY);
    for (const auto& folder : NamedStartupFolders()) EmptyFolder(folder.first, folder.second);
    char disabled[MAX_PATH];
    if (DisabledFolder(disabled, sizeof disabled) > 0) EmptyFolder(disabled, 0);
}

// Where entries are planted: five of every eight in a Run key (the fifteen in turn), one in
// win.ini (run and load in turn), two in the Startup folder.
enum Place { PLACE_RUN, PLACE_WIN_INI, PLACE_FOLDER };
Place PlaceOf(int i)
{
    int slot = i % 8;
    return slot < 5 ? PLACE_RUN : slot == 5 ? PLACE_WIN_INI : PLACE_FOLDER;
}

// The three forms of a Run command, in turn.
std::string RunCommand(const std::string& program, int i)
{
    switch (i % 3) {
    case 0: return "\"" + program + "\" /autostart";
    case 1: return program;
    default: return program + " -tray";
    }
}

std::string FileNameOf(const std::string& path) { return path.substr(path.find_last_of('\\') + 1); }

std::string WithoutQuotes(const std::string& text)
{
    std::string out;
    for (char c : text)
        if (c != '"') out += c;
    return out;
}

void NoteRow(const std::string& title, const std::string& command, const std::string& program, bool exists)
{
    g_plantedRows[title + "\t" + FileNameOf(WithoutQuotes(command))] = PlantedRow{program, exists};
}

bool PlantStartup(int n, bool shared, Planted& planted)
{
    CoInitialize(nullptr);
    ClearStartupPlaces();
    g_plantedRows.clear();
    const char* programs = shared ? kSharedFolder : kUniqueFolder;
    if (!MakeFolder(programs)) {
        fprintf(stderr, "bench: cannot create %s\n", programs);
        return false;
    }
    char startup[MAX_PATH];
    if (ShellFolder(HKEY_CURRENT_USER, "Startup", startup, sizeof startup) <= 0) {
        fprintf(stderr, "bench: the prefix names no Startup folder for the current user\n");
        return false;
    }
    RemoveBackslash(startup, 0);
    if (!MakeFolder(startup)) {
        fprintf(stderr, "bench: cannot create %s\n", startup);
        return false;
    }
    // Every time a hive names this folder it is walked again, and its items listed again.
    int walks = 0;
    for (const auto& folder : NamedStartupFolders())
        if (SameText(folder.first.c_str(), startup)) ++walks;

    int runs = 0, winIni = 0, folderItems = 0, missing = 0, deadLinks = 0, listable = 0;
    for (int i = 0; i < n; ++i) {
        int program = shared ? i % kSharedPrograms : i;
        bool gone = shared ? program >= kSharedPrograms - kSharedMissing : i % 10 == 9;
        std::string target = std::string(programs) + Format(gone ? "\\Gone%04d.exe" : "\\Prog%04d.exe", program);
        if (gone) ++missing;
        Place place = PlaceOf(i);
        bool ok = true;
        if (place == PLACE_FOLDER) {
            // Half the folder's items are the program file itself, half shortcuts; a program
            // shared by several entries, or one that is gone, can only be reached by a shortcut.
            bool shortcut = shared || gone || folderItems % 2 == 0;
            ++folderItems;
            if (shortcut) {
                if (!gone) ok = CopyProgram(target);
                // Every other shortcut has a description; the others are named by the target's
                // version resource.
                std::string description = (folderItems / 2) % 2 ? Format("Bench shortcut %04d", i) : "";
                std::string link = std::string(startup) + Format("\\Bench Link %04d.lnk", i);
                ok = ok && SUCCEEDED(CreateShortcut(link.c_str(), target.c_str(), "", "", description.c_str(), "", 0));
                // A shortcut whose target is gone is not listed.
                if (gone) {
                    ++deadLinks;
                } else {
                    listable += walks;
                    NoteRow(description.empty() ? kFileDescription : description, target, target, true);
                }
            } else {
                std::string file = std::string(startup) + Format("\\Start%04d.exe", i);
                ok = CopyProgram(file);
                listable += walks;
                NoteRow(kFileDescription, file, file, true);
            }
        } else {
            if (!gone) ok = CopyProgram(target);
            if (place == PLACE_RUN) {
                std::string name = Format("Bench Run %04d", i);
                std::string command = RunCommand(target, i);
                ok = ok && SetRun(RunKind(runs % 15), name, command);
                NoteRow(name, command, target, !gone);
                ++runs;
            } else {
                const char* line = winIni % 2 ? "load" : "run";
                ok = ok && AddWinIniProgram(line, target.c_str());
                NoteRow(gone ? line : kProductName, target, target, !gone);
                ++winIni;
            }
            ++listable;
        }
        if (!ok) {
            fprintf(stderr, "bench: planting startup entry %d failed\n", i);
            return false;
        }
    }
    g_plantedItems = n;
    g_plantedListable = listable;
    planted.items = n;
    planted.expectedRows = listable;
    char note[300];
    FormatText(note, sizeof note,
               "%d Run values, %d win.ini pieces, %d Startup-folder items (walked %dx); %d point at missing files, "
               "%d of them shortcuts (not listed)",
               runs, winIni, folderItems, walks, missing, deadLinks);
    planted.note = note;
    return true;
}

bool PlantShared(int n, Planted& planted) { return PlantStartup(n, true, planted); }

// ---- The floor ---------------------------------------------------------------------------

// A distinct program, found by the form that identifies it (upper case, no arguments), and
// opened by its name as written (a name in its own case is found without searching).
struct ProgramFile {
    std::string key;
    std::string path;
};

ProgramFile ProgramOf(const std::string& command)
{
    char unquoted[1024];
    char text[1024];
    StripQuotes(command.c_str(), unquoted, sizeof unquoted);
    ProgramFile program;
    CanonicalProgramPath(unquoted, text, sizeof text);
    program.key = text;
    ProgramPathAsWritten(unquoted, text, sizeof text);
    program.path = text;
    return program;
}

struct FloorFound {
    int items = 0;
    int listable = 0;
    std::vector<ProgramFile> programs;  // distinct, in the order first found
    std::set<std::string> known;
    std::set<std::string> titled;       // programs whose version resource names an entry
    std::vector<ProgramFile> rows;      // each listed entry's program, in list order
    // The long forms the entry list keeps: of each distinct path text, and of each folder
    // walked (its items' long forms are the folder's and the names as listed).
    std::set<std::string> longForms;
    std::vector<std::string> folders;
    std::set<std::string> shortForms;   // shortcut targets whose short form was taken
    void Add(const ProgramFile& program, bool namesEntry)
    {
        ++listable;
        rows.push_back(program);
        if (known.insert(program.key).second) programs.push_back(program);
        if (namesEntry) titled.insert(program.key);
    }
    void KeepLongForm(const std::string& text)
    {
        std::string path = WithoutQuotes(text);
        if (path.size() > 3) longForms.insert(path);
    }
};

void FloorRunKeys(FloorFound& found)
{
    std::vector<char> name(16384);
    std::vector<BYTE> data(65536);
    // On 64-bit Windows the machine's five keys are read in the 32-bit view too.
    int keys = Is64BitWindows() ? 20 : 15;
    for (int key = 0; key < keys; ++key) {
        int kind = RunKind(key % 15);
        REGSAM view = key < 15 ? 0 : ViewFlags(VIEW_32BIT, CurrentSystemBits());
        HKEY handle = nullptr;
        if (RegOpenKeyExA(RunKindHive(kind), RunSubkey(kind).c_str(), 0, KEY_READ | view, &handle) != ERROR_SUCCESS)
            continue;
        for (DWORD index = 0;; ++index) {
            DWORD nameSize = (DWORD)name.size();
            DWORD dataSize = (DWORD)data.size() - 1;
            DWORD type = 0;
            LONG rc = RegEnumValueA(handle, index, name.data(), &nameSize, nullptr, &type, data.data(), &dataSize);
            if (rc == ERROR_NO_MORE_ITEMS) break;
            if (rc != ERROR_SUCCESS) continue;
            data[dataSize] = 0;
            const char* command = reinterpret_cast<const char*>(data.data());
            ++found.items;
            found.Add(ProgramOf(command), false);
            found.KeepLongForm(command);
        }
        RegCloseKey(handle);
    }
}

void FloorWinIni(FloorFound& found)
{
    for (const char* line : {"run", "load"}) {
        std::vector<char> text(512);
        for (;;) {
            DWORD n = GetProfileStringA("windows", line, "", text.data(), (DWORD)text.size());
            if (n < text.size() - 1) break;
            text.resize(text.size() * 2);
        }
        for (const std::string& piece : SplitWinIniLine(text.data())) {
            ++found.items;
            found.Add(ProgramOf(piece), true);
            found.KeepLongForm(piece);
        }
    }
}

// A shortcut as the listing rules read it: loaded, resolved without a window, its target
// (short form) and description; false when its target is gone.
bool FloorShortcut(const std::string& path, IShellLinkA* link, IPersistFile* file, FloorFound& found)
{
    WCHAR wide[MAX_PATH];
    MultiByteToWideChar(CP_ACP, 0, path.c_str(), -1, wide, MAX_PATH);
    char target[MAX_PATH] = "";
    char description[MAX_PATH] = "";
    if (FAILED(file->Load(wide, STGM_READ)) || link->Resolve(nullptr, SLR_NO_UI | (500u << 16)) != S_OK) return false;
    link->GetDescription(description, MAX_PATH);
    link->GetPath(target, MAX_PATH, nullptr, SLGP_SHORTPATH);
    if (GetFileAttributesA(target) == INVALID_FILE_ATTRIBUTES) return false;
    std::string shortForm = target;
    if (found.shortForms.insert(shortForm).second) {
        char converted[MAX_PATH];
        DWORD n = GetShortPathNameA(target, converted, sizeof converted);
        if (n > 0 && n < sizeof converted) shortForm = converted;
    }
    found.Add(ProgramOf(shortForm), description[0] == '\0');
    found.KeepLongForm(shortForm);
    return true;
}

void FloorFolder(const std::string& folder, int depth, IShellLinkA* link, IPersistFile* file, FloorFound& found)
{
    WIN32_FIND_DATAA item;
    HANDLE search = FindFirstFileA((folder + "\\*.*").c_str(), &item);
    if (search == INVALID_HANDLE_VALUE) return;
    found.folders.push_back(folder);
    do {
        std::string path = folder + "\\" + item.cFileName;
        if (item.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
            if (item.cFileName[0] != '.' && depth > 0) FloorFolder(path, depth - 1, link, file, found);
        } else if (HasExtension(path.c_str(), ".lnk")) {
            ++found.items;
            FloorShortcut(path, link, file, found);
        } else if (HasExtension(path.c_str(), ".exe")) {
            ++found.items;
            found.Add(ProgramOf(path), true);
        }
    } while (FindNextFileA(search, &item));
    FindClose(search);
}

bool FloorEnumerate(FloorFound& found)
{
    FloorRunKeys(found);
    IShellLinkA* link = nullptr;
    IPersistFile* file = nullptr;
    if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                                reinterpret_cast<void**>(&link))) ||
        FAILED(link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file)))) {
        fprintf(stderr, "bench: no shell link object\n");
        if (link) link->Release();
        return false;
    }
    for (const auto& folder : NamedStartupFolders()) FloorFolder(folder.first, folder.second, link, file, found);
    FloorWinIni(found);
    // The disabled store: whether it holds any marker, its saved-command keys and its folder
    // (all empty here).
    HKEY handle = nullptr;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, DISABLED_STORE_KEY, 0, KEY_READ | ProgramMachineRoot().view, &handle) == ERROR_SUCCESS) {
        DWORD values = 0;
        RegQueryInfoKeyA(handle, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, &values, nullptr, nullptr,
                         nullptr, nullptr);
        RegCloseKey(handle);
    }
    for (int kind : {1, 2, 3, 4, 5, (int)KIND_WIN_LOAD, (int)KIND_WIN_RUN})
        if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, SavedCommandKey(kind), 0, KEY_READ | ProgramMachineRoot().view, &handle) == ERROR_SUCCESS)
            RegCloseKey(handle);
    char disabled[MAX_PATH];
    if (DisabledFolder(disabled, sizeof disabled) > 0) FloorFolder(disabled, 0, link, file, found);
    file->Release();
    link->Release();
    return true;
}

void ReadVersionOnce(const std::string& program)
{
    DWORD handle = 0;
    DWORD size = GetFileVersionInfoSizeA(program.c_str(), &handle);
    if (size == 0) return;
    std::vector<char> block(size);
    if (!GetFileVersionInfoA(program.c_str(), 0, size, block.data())) return;
    char* value = nullptr;
    UINT length = 0;
    VerQueryValueA(block.data(), "\\StringFileInfo\\040904b0\\ProductVersion", reinterpret_cast<void**>(&value),
                   &length);
}

void LongFormOnce(const std::string& path)
{
    char converted[MAX_PATH];
    GetLongPathNameA(path.c_str(), converted, sizeof converted);
}

void ExtractIconOnce(const ProgramFile& program)
{
    HICON icon = nullptr;
    if (ExtractIconExA(program.path.c_str(), 0, nullptr, &icon, 1) && icon) DestroyIcon(icon);
}

// ---- The cases ---------------------------------------------------------------------------

int CollectOnce()
{
    return CollectStartupEntries();
}

HWND g_page = nullptr;

HWND List() { return GetDlgItem(g_page, IDC_LIST); }

int FillPage() { return FillBenchPage(g_page, IDD_STARTUP_PAGE, StartupPageProc); }

bool CheckFill(std::string& why)
{
    g_drawnRows = (int)DrawnRows(List()).size();
    return CheckDrawnList(List(), 3, JudgeStartupRow, why);
}

void DumpRows(const char* name)
{
    if (IsWindow(g_page)) DumpListRows(List(), 3, std::string(name) + "-" + std::to_string(g_plantedItems));
}

void DumpUnique() { DumpRows("startup-page-fill"); }
void DumpShared() { DumpRows("startup-page-fill-shared"); }

const char kFloorNote[] =
    "enumerate = the 15 Run keys (each value read), the Startup folders (each shortcut loaded and resolved with "
    "one shell link object, its target's short form taken once), win.ini run/load, the disabled store (whether it "
    "has markers, its keys, its folder); titles = version resources of the distinct programs the title rules read; "
    "versions = those of the other distinct programs; long-paths = the long form of each distinct path text and of "
    "each folder walked; icons-drawn = the small icon (ExtractIconExA) of each distinct program on the rows the "
    "page draws; icons-all = the same for every distinct program (for scrolling; no case is judged against it); "
    "list-rows = as many rows of short texts put into a bare report list and drawn once (the page fill's list)";

const std::vector<std::string> kCollectionParts = {"enumerate", "titles", "long-paths"};
const std::vector<std::string> kFillParts = {"enumerate",  "titles",      "versions",
                                             "long-paths", "icons-drawn", "list-rows"};

}  // namespace

bool PlantStartupWorkload(int n, Planted& planted) { return PlantStartup(n, false, planted); }

void SetStartupDrawnRows(int rows) { g_drawnRows = rows; }

bool JudgeStartupRow(const std::vector<std::string>& cells, RowWanted& wanted, std::string& why)
{
    auto found = g_plantedRows.find(cells[0] + "\t" + cells[1]);
    if (found == g_plantedRows.end()) {
        why = "\"" + cells[0] + "\" with command \"" + cells[1] + "\" was not planted";
        return false;
    }
    const char* version = found->second.exists ? kProductVersion : "?";
    if (cells[2] != version) {
        why = "\"" + cells[0] + "\" shows version \"" + cells[2] + "\", not \"" + version + "\"";
        return false;
    }
    wanted = RowWanted{found->second.program, found->second.exists, found->second.exists};
    return true;
}

bool StartupFloor(FloorParts& parts)
{
    FloorFound found;
    Stopwatch enumerate;
    if (!FloorEnumerate(found)) return false;
    parts["enumerate"] = enumerate.Milliseconds();

    Stopwatch titles;
    for (const ProgramFile& program : found.programs)
        if (found.titled.count(program.key)) ReadVersionOnce(program.path);
    parts["titles"] = titles.Milliseconds();

    Stopwatch versions;
    for (const ProgramFile& program : found.programs)
        if (!found.titled.count(program.key)) ReadVersionOnce(program.path);
    parts["versions"] = versions.Milliseconds();

    Stopwatch longPaths;
    for (const std::string& folder : found.folders) LongFormOnce(folder);
    for (const std::string& path : found.longForms) LongFormOnce(path);
    parts["long-paths"] = longPaths.Milliseconds();

    Stopwatch drawn;
    std::set<std::string> read;
    for (size_t row = 0; row < found.rows.size() && (int)row < (g_drawnRows > 0 ? g_drawnRows : 20); ++row)
        if (read.insert(found.rows[row].key).second) ExtractIconOnce(found.rows[row]);
    parts["icons-drawn"] = drawn.Milliseconds();

    Stopwatch all;
    for (const ProgramFile& program : found.programs) ExtractIconOnce(program);
    parts["icons-all"] = all.Milliseconds();
    parts["list-rows"] = TimeBareList(IsWindow(g_page) ? List() : nullptr, found.listable, 3);

    if (found.items != g_plantedItems || found.listable != g_plantedListable) {
        fprintf(stderr, "bench: the floor found %d items (%d listable), %d (%d) were planted\n", found.items,
                found.listable, g_plantedItems, g_plantedListable);
        return false;
    }
    return true;
}

BenchWorkload StartupWorkload()
{
    return BenchWorkload{
        "startup",
        {100, 500, 2000},
        {100},
        PlantStartupWorkload,
        StartupFloor,
        {
            {"startup-collection", CollectOnce, kCollectionParts},
            {"startup-page-fill", FillPage, kFillParts, PumpBenchMessages, DumpUnique, CheckFill},
        },
        kFloorNote,
    };
}

BenchWorkload SharedStartupWorkload()
{
    return BenchWorkload{
        "startup-shared",
        {500},
        {100},
        PlantShared,
        StartupFloor,
        {
            {"startup-page-fill-shared", FillPage, kFillParts, PumpBenchMessages, DumpShared, CheckFill},
        },
        kFloorNote,
    };
}
