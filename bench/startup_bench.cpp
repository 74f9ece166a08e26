// The startup workloads: N entries planted in the Run keys of the three hives, the win.ini
// "run" and "load" lines and the Startup folder, each pointing at a program file of its own
// (one in ten at a file that does not exist); and the "shared" workload, whose entries point
// at only 20 programs. Cases: collecting the entries, and the Startup Programs page's fill
// in a real page window. The floor enumerates the same places and reads each distinct
// program's version resource and icon once.
#include "bench.h"
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

// What the last planting left, for the floor's own check.
int g_plantedItems = 0;
int g_plantedListable = 0;

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

bool PlantStartup(int n, bool shared, Planted& planted)
{
    CoInitialize(nullptr);
    ClearStartupPlaces();
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
                if (gone) ++deadLinks;
                else listable += walks;
            } else {
                ok = CopyProgram(std::string(startup) + Format("\\Start%04d.exe", i));
                listable += walks;
            }
        } else {
            if (!gone) ok = CopyProgram(target);
            if (place == PLACE_RUN) {
                ok = ok && SetRun(RunKind(runs % 15), Format("Bench Run %04d", i), RunCommand(target, i));
                ++runs;
            } else {
                ok = ok && AddWinIniProgram(winIni % 2 ? "load" : "run", target.c_str());
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

bool PlantUnique(int n, Planted& planted) { return PlantStartup(n, false, planted); }
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
    void Add(const ProgramFile& program, bool namesEntry)
    {
        if (known.insert(program.key).second) programs.push_back(program);
        if (namesEntry) titled.insert(program.key);
    }
};

void FloorRunKeys(FloorFound& found)
{
    std::vector<char> name(16384);
    std::vector<BYTE> data(65536);
    for (int key = 0; key < 15; ++key) {
        int kind = RunKind(key);
        HKEY handle = nullptr;
        if (RegOpenKeyExA(RunKindHive(kind), RunSubkey(kind).c_str(), 0, KEY_READ, &handle) != ERROR_SUCCESS) continue;
        for (DWORD index = 0;; ++index) {
            DWORD nameSize = (DWORD)name.size();
            DWORD dataSize = (DWORD)data.size() - 1;
            DWORD type = 0;
            LONG rc = RegEnumValueA(handle, index, name.data(), &nameSize, nullptr, &type, data.data(), &dataSize);
            if (rc == ERROR_NO_MORE_ITEMS) break;
            if (rc != ERROR_SUCCESS) continue;
            data[dataSize] = 0;
            ++found.items;
            ++found.listable;
            found.Add(ProgramOf(reinterpret_cast<const char*>(data.data())), false);
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
            ++found.listable;
            found.Add(ProgramOf(piece), true);
        }
    }
}

void FloorFolder(const std::string& folder, int depth, IShellLinkA* link, IPersistFile* file, FloorFound& found)
{
    WIN32_FIND_DATAA item;
    HANDLE search = FindFirstFileA((folder + "\\*.*").c_str(), &item);
    if (search == INVALID_HANDLE_VALUE) return;
    do {
        std::string path = folder + "\\" + item.cFileName;
        if (item.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
            if (item.cFileName[0] != '.' && depth > 0) FloorFolder(path, depth - 1, link, file, found);
        } else if (HasExtension(path.c_str(), ".lnk")) {
            ++found.items;
            WCHAR wide[MAX_PATH];
            MultiByteToWideChar(CP_ACP, 0, path.c_str(), -1, wide, MAX_PATH);
            char target[MAX_PATH] = "";
            char description[MAX_PATH] = "";
            if (FAILED(file->Load(wide, STGM_READ))) continue;
            link->GetPath(target, MAX_PATH, nullptr, 0);
            link->GetDescription(description, MAX_PATH);
            if (GetFileAttributesA(target) == INVALID_FILE_ATTRIBUTES) continue;
            ++found.listable;
            found.Add(ProgramOf(target), description[0] == '\0');
        } else if (HasExtension(path.c_str(), ".exe")) {
            ++found.items;
            ++found.listable;
            found.Add(ProgramOf(path), true);
        }
    } while (FindNextFileA(search, &item));
    FindClose(search);
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

bool StartupFloor(FloorParts& parts)
{
    FloorFound found;
    Stopwatch enumerate;
    FloorRunKeys(found);
    FloorWinIni(found);
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
    // The disabled store: its saved-command keys and its folder (both empty here).
    for (int kind : {1, 2, 3, 4, 5, (int)KIND_WIN_LOAD, (int)KIND_WIN_RUN}) {
        HKEY handle = nullptr;
        if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, SavedCommandKey(kind), 0, KEY_READ | ProgramMachineRoot().view, &handle) ==
            ERROR_SUCCESS)
            RegCloseKey(handle);
    }
    char disabled[MAX_PATH];
    if (DisabledFolder(disabled, sizeof disabled) > 0) FloorFolder(disabled, 0, link, file, found);
    file->Release();
    link->Release();
    parts["enumerate"] = enumerate.Milliseconds();

    Stopwatch titles;
    for (const ProgramFile& program : found.programs)
        if (found.titled.count(program.key)) ReadVersionOnce(program.path);
    parts["titles"] = titles.Milliseconds();

    Stopwatch versions;
    for (const ProgramFile& program : found.programs)
        if (!found.titled.count(program.key)) ReadVersionOnce(program.path);
    parts["versions"] = versions.Milliseconds();

    Stopwatch icons;
    for (const ProgramFile& program : found.programs) {
        HICON icon = nullptr;
        if (ExtractIconExA(program.path.c_str(), 0, nullptr, &icon, 1) && icon) DestroyIcon(icon);
    }
    parts["icons"] = icons.Milliseconds();

    if (found.items != g_plantedItems || found.listable != g_plantedListable) {
        fprintf(stderr, "bench: the floor found %d items (%d listable), %d (%d) were planted\n", found.items,
                found.listable, g_plantedItems, g_plantedListable);
        return false;
    }
    return true;
}

// ---- The cases ---------------------------------------------------------------------------

int CollectOnce()
{
    return CollectStartupEntries();
}

HWND g_page = nullptr;

std::string CellText(HWND list, int row, int column)
{
    char text[520] = "";
    LVITEMA item = {};
    item.iSubItem = column;
    item.pszText = text;
    item.cchTextMax = sizeof text;
    SendMessageA(list, LVM_GETITEMTEXTA, (WPARAM)row, reinterpret_cast<LPARAM>(&item));
    return text;
}

// A hash of the row's image as the list draws it, to compare icons between two builds.
unsigned long ImageHash(HWND list, int row)
{
    LVITEMA item = {};
    item.mask = LVIF_IMAGE;
    item.iItem = row;
    SendMessageA(list, LVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&item));
    HIMAGELIST images = reinterpret_cast<HIMAGELIST>(SendMessageA(list, LVM_GETIMAGELIST, LVSIL_SMALL, 0));
    int cx = 0, cy = 0;
    if (!images || !ImageList_GetIconSize(images, &cx, &cy)) return 0;
    HDC screen = GetDC(nullptr);
    HDC dc = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, cx, cy);
    HGDIOBJ old = SelectObject(dc, bitmap);
    RECT all = {0, 0, cx, cy};
    FillRect(dc, &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    ImageList_Draw(images, item.iImage, dc, 0, 0, ILD_NORMAL);
    unsigned long hash = 2166136261u;
    for (int y = 0; y < cy; ++y)
        for (int x = 0; x < cx; ++x) hash = (hash ^ (unsigned long)GetPixel(dc, x, y)) * 16777619u;
    SelectObject(dc, old);
    DeleteObject(bitmap);
    DeleteDC(dc);
    ReleaseDC(nullptr, screen);
    return hash & 0xFFFFFFFFu;
}

// The rows of the last fill, for comparing two builds (--dump).
void DumpRows(const char* name)
{
    if (RowDumpFolder().empty() || !g_page) return;
    HWND list = GetDlgItem(g_page, IDC_LIST);
    std::string path = RowDumpFolder() + "\\" + name + "-" + std::to_string(g_plantedItems) + ".txt";
    FILE* out = fopen(path.c_str(), "wb");
    if (!out) return;
    int rows = ListView_GetItemCount(list);
    for (int row = 0; row < rows; ++row)
        fprintf(out, "%d\t%s\t%s\t%s\t%08lx\n", row, CellText(list, row, 0).c_str(), CellText(list, row, 1).c_str(),
                CellText(list, row, 2).c_str(), ImageHash(list, row));
    fclose(out);
}

void DumpUnique() { DumpRows("startup-page-fill"); }
void DumpShared() { DumpRows("startup-page-fill-shared"); }

int FillPage()
{
    if (!g_page && !(g_page = MakeBenchPage(IDD_STARTUP_PAGE, StartupPageProc))) {
        fprintf(stderr, "bench: the Startup Programs page could not be created\n");
        return -1;
    }
    return ActivateBenchPage(g_page);
}

const char kFloorNote[] =
    "enumerate = the 15 Run keys (each value read), win.ini run/load, the Startup folders (each shortcut "
    "loaded with one shell link object), the Disabled folder; titles = version resources of the distinct "
    "programs the title rules read; versions = those of the other distinct programs; icons = the small icon "
    "(ExtractIconExA) of each distinct program";

}  // namespace

BenchWorkload StartupWorkload()
{
    return BenchWorkload{
        "startup",
        {100, 500, 2000},
        {100},
        PlantUnique,
        StartupFloor,
        {
            {"startup-collection", CollectOnce, {"enumerate", "titles"}},
            {"startup-page-fill", FillPage, {"enumerate", "titles", "versions", "icons"}, PumpBenchMessages, DumpUnique},
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
            {"startup-page-fill-shared", FillPage, {"enumerate", "titles", "versions", "icons"}, PumpBenchMessages,
             DumpShared},
        },
        kFloorNote,
    };
}
