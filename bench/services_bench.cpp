// The services workload: N services registered for real with the service control manager
// of the bench's prefix (one in four hosted by svchost with a ServiceDll, the others
// pointing at ten copies of the workload program; one in ten running as a real service).
// Cases: the Services page's fill in a real page window, and a sort by Status, which must
// make no call to the service control manager. The floor scans the services key once, asks
// each listed service for its state once and reads the icons of the programs of the rows
// the page draws. The planted services' names sort before the prefix's own, so the rows
// drawn are planted ones.
#include "services_bench.h"
#include "bench_page.h"
#include "call_counts.h"
#include "timing.h"

#include "foundations/entries.h"
#include "foundations/paths.h"
#include "foundations/strings.h"
#include "foundations/text.h"
#include "resource.h"
#include "shell/listview.h"
#include "shell/pages.h"

#include <windows.h>
#include <commctrl.h>
#include <shlobj.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <set>
#include <string>
#include <vector>

namespace {

const char kServicesKey[] = "SYSTEM\\CurrentControlSet\\Services";
const char kProgramFolder[] = "C:\\VkBench\\services";
const char kPrefix[] = "0VkBenchSvc";
const char kTitlePrefix[] = "Vigilark Bench Service ";
const int kPrograms = 10;

int g_expectedRows = 0;
std::vector<std::string> g_ownServices;  // the prefix's own, as the service control manager lists them
int g_drawnRows = 0;  // rows the page drew in its last fill: the floor reads their icons
HWND g_page = nullptr;

std::string Format(const char* format, int number)
{
    char text[MAX_PATH];
    FormatText(text, sizeof text, format, number);
    return text;
}

std::string BesideHarness(const char* name)
{
    char directory[MAX_PATH];
    ProgramDirectory(directory, sizeof directory);
    return std::string(directory) + "\\" + name;
}

// The names of the subkeys of the services key, in registry order.
std::vector<std::string> ServiceKeys()
{
    std::vector<std::string> names;
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, kServicesKey, 0, KEY_READ, &key) != ERROR_SUCCESS) return names;
    char name[256];
    for (DWORD index = 0;; ++index) {
        DWORD size = sizeof name;
        LONG rc = RegEnumKeyExA(key, index, name, &size, nullptr, nullptr, nullptr, nullptr);
        if (rc == ERROR_NO_MORE_ITEMS) break;
        if (rc == ERROR_SUCCESS) names.push_back(name);
    }
    RegCloseKey(key);
    return names;
}

void DeleteBenchServices(SC_HANDLE manager)
{
    for (const std::string& name : ServiceKeys()) {
        if (name.compare(0, sizeof kPrefix - 1, kPrefix) != 0) continue;
        SC_HANDLE service = OpenServiceA(manager, name.c_str(), SERVICE_ALL_ACCESS);
        if (!service) continue;
        SERVICE_STATUS status;
        ControlService(service, SERVICE_CONTROL_STOP, &status);
        DeleteService(service);
        CloseServiceHandle(service);
    }
}

// A text value of an open key; empty when missing.
std::string Text(HKEY key, const char* name)
{
    char text[1100] = "";
    DWORD size = sizeof text - 1;
    DWORD type = 0;
    if (RegQueryValueExA(key, name, nullptr, &type, reinterpret_cast<BYTE*>(text), &size) != ERROR_SUCCESS ||
        (type != REG_SZ && type != REG_EXPAND_SZ))
        return "";
    text[size < sizeof text ? size : sizeof text - 1] = '\0';
    if (type == REG_EXPAND_SZ) {
        char expanded[1100];
        DWORD length = ExpandEnvironmentStringsA(text, expanded, sizeof expanded);
        return length && length <= sizeof expanded ? expanded : "";
    }
    return text;
}

// One service key as the floor reads it: every value the list uses; the listable ones
// (an image of a program file, texts that fit) count as rows, with the program whose icon
// the row shows.
bool ReadServiceKey(HKEY services, const std::string& name, std::string& program)
{
    HKEY key = nullptr;
    if (RegOpenKeyExA(services, name.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) return false;
    std::string image = Text(key, "ImagePath");
    std::string title = Text(key, "DisplayName");
    std::string description = Text(key, "Description");
    DWORD start = 0, size = sizeof start;
    RegQueryValueExA(key, "Start", nullptr, nullptr, reinterpret_cast<BYTE*>(&start), &size);
    std::string path = image;
    if (ContainsNoCase(image.c_str(), "svchost.exe")) {
        HKEY parameters = nullptr;
        if (RegOpenKeyExA(key, "Parameters", 0, KEY_READ, &parameters) == ERROR_SUCCESS) {
            std::string dll = Text(parameters, "ServiceDll");
            if (!dll.empty()) path = dll;
            RegCloseKey(parameters);
        }
    }
    RegCloseKey(key);
    program = path;
    return !image.empty() && image.size() < 512 && ContainsNoCase(image.c_str(), ".exe") && title.size() < 128 &&
           path.size() < 260 && description.size() < 1024;
}

bool CopyProgram(const std::string& from, const std::string& to)
{
    if (FileExists(to.c_str()) || CopyFileA(from.c_str(), to.c_str(), TRUE)) return true;
    fprintf(stderr, "bench: cannot copy %s to %s (error %lu)\n", from.c_str(), to.c_str(), GetLastError());
    return false;
}

bool SetServiceDll(const std::string& name, const std::string& dll)
{
    HKEY key = nullptr;
    std::string subkey = std::string(kServicesKey) + "\\" + name + "\\Parameters";
    if (RegCreateKeyA(HKEY_LOCAL_MACHINE, subkey.c_str(), &key) != ERROR_SUCCESS) return false;
    LONG rc = RegSetValueExA(key, "ServiceDll", 0, REG_EXPAND_SZ, reinterpret_cast<const BYTE*>(dll.c_str()),
                             (DWORD)dll.size() + 1);
    RegCloseKey(key);
    return rc == ERROR_SUCCESS;
}

// Service i: its image, and whether it runs.
std::string ImageOf(int i)
{
    if (i % 4 == 3) return "%SystemRoot%\\system32\\svchost.exe -k vkbench";
    if (i % 10 == 0) return "\"" + BesideHarness("bench_service_program.exe") + "\"";
    return std::string(kProgramFolder) + Format("\\Service%02d.exe", i % kPrograms) + " /service";
}

DWORD StartOf(int i)
{
    if (i % 10 == 0) return SERVICE_DEMAND_START;  // it is started
    return i % 3 == 0 ? SERVICE_DISABLED : i % 3 == 1 ? SERVICE_AUTO_START : SERVICE_DEMAND_START;
}

// The prefix's own services that run a program (not drivers), through the manager's own
// enumeration, into g_ownServices; -1 when it cannot be asked. Only those with a key of
// their own: the hosts Wine makes for drivers while it runs are in no key.
int OwnWin32Services()
{
    g_ownServices.clear();
    SC_HANDLE manager = OpenSCManagerA(nullptr, nullptr, SC_MANAGER_ENUMERATE_SERVICE);
    if (!manager) return -1;
    std::vector<BYTE> buffer(256 * 1024);
    DWORD needed = 0, returned = 0, resume = 0;
    BOOL ok = EnumServicesStatusA(manager, SERVICE_WIN32, SERVICE_STATE_ALL,
                                  reinterpret_cast<ENUM_SERVICE_STATUSA*>(buffer.data()), (DWORD)buffer.size(), &needed,
                                  &returned, &resume);
    CloseServiceHandle(manager);
    if (!ok) {
        fprintf(stderr, "bench: the service control manager does not list its services (error %lu)\n", GetLastError());
        return -1;
    }
    const ENUM_SERVICE_STATUSA* services = reinterpret_cast<const ENUM_SERVICE_STATUSA*>(buffer.data());
    for (DWORD i = 0; i < returned; ++i) {
        const char* name = services[i].lpServiceName;
        HKEY key = nullptr;
        if (strncmp(name, kPrefix, sizeof kPrefix - 1) == 0 ||
            RegOpenKeyExA(HKEY_LOCAL_MACHINE, (std::string(kServicesKey) + "\\" + name).c_str(), 0, KEY_READ, &key) !=
                ERROR_SUCCESS)
            continue;
        RegCloseKey(key);
        g_ownServices.push_back(name);
    }
    return (int)g_ownServices.size();
}

bool PlantServices(int n, Planted& planted)
{
    SC_HANDLE manager = OpenSCManagerA(nullptr, nullptr, SC_MANAGER_ALL_ACCESS);
    if (!manager) {
        fprintf(stderr, "bench: the service control manager does not open (error %lu)\n", GetLastError());
        return false;
    }
    DeleteBenchServices(manager);
    SHCreateDirectoryExA(nullptr, kProgramFolder, nullptr);
    bool ok = true;
    for (int p = 0; p < kPrograms && ok; ++p)
        ok = CopyProgram(BesideHarness("bench_workload_program.exe"),
                         std::string(kProgramFolder) + Format("\\Service%02d.exe", p));
    int running = 0, hosted = 0;
    for (int i = 0; i < n && ok; ++i) {
        std::string name = std::string(kPrefix) + Format("%04d", i);
        std::string title = Format("Vigilark Bench Service %04d", i);
        SC_HANDLE service = CreateServiceA(manager, name.c_str(), title.c_str(), SERVICE_ALL_ACCESS,
                                           SERVICE_WIN32_OWN_PROCESS, StartOf(i),
                                           SERVICE_ERROR_NORMAL, ImageOf(i).c_str(), nullptr, nullptr, nullptr, nullptr,
                                           nullptr);
        ok = service != nullptr;
        if (ok && i % 4 == 3) {
            ok = SetServiceDll(name, std::string(kProgramFolder) + Format("\\Service%02d.exe", i % kPrograms));
            ++hosted;
        } else if (ok && i % 10 == 0) {
            SERVICE_STATUS status;
            ok = StartServiceA(service, 0, nullptr) != FALSE;
            for (int wait = 0; ok && wait < 500; ++wait) {
                if (QueryServiceStatus(service, &status) && status.dwCurrentState == SERVICE_RUNNING) break;
                Sleep(10);
            }
            ++running;
        }
        if (service) CloseServiceHandle(service);
        if (!ok) fprintf(stderr, "bench: planting service %d failed (error %lu)\n", i, GetLastError());
    }
    CloseServiceHandle(manager);
    if (!ok) return false;

    // Every planted service is listed, and so is each of the prefix's own services that runs
    // a program (as the service control manager counts them).
    int own = OwnWin32Services();
    if (own < 0) return false;
    g_expectedRows = n + own;
    planted.items = n;
    planted.expectedRows = g_expectedRows;
    char note[300];
    FormatText(note, sizeof note,
               "%d services (%d svchost-hosted, %d running, the others on %d programs); %d rows with the prefix's own",
               n, hosted, running, kPrograms, g_expectedRows);
    planted.note = note;
    return true;
}

// ---- The floor ---------------------------------------------------------------------------

bool FloorRun(FloorParts& parts)
{
    std::vector<std::string> listed;
    std::vector<std::string> programs;
    Stopwatch scan;
    HKEY services = nullptr;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, kServicesKey, 0, KEY_READ, &services) != ERROR_SUCCESS) return false;
    for (const std::string& name : ServiceKeys()) {
        std::string program;
        if (!ReadServiceKey(services, name, program)) continue;
        listed.push_back(name);
        programs.push_back(program);
    }
    RegCloseKey(services);
    parts["scan"] = scan.Milliseconds();

    Stopwatch status;
    SC_HANDLE manager = OpenSCManagerA(nullptr, nullptr, SC_MANAGER_CONNECT);
    for (const std::string& service : listed) {
        SC_HANDLE handle = manager ? OpenServiceA(manager, service.c_str(), SERVICE_QUERY_STATUS | SERVICE_INTERROGATE)
                                   : nullptr;
        SERVICE_STATUS state;
        if (handle) {
            ControlService(handle, SERVICE_CONTROL_INTERROGATE, &state);
            CloseServiceHandle(handle);
        }
    }
    if (manager) CloseServiceHandle(manager);
    parts["status"] = status.Milliseconds();

    Stopwatch icons;
    std::set<std::string> read;
    for (size_t row = 0; row < programs.size() && (int)row < (g_drawnRows > 0 ? g_drawnRows : 20); ++row) {
        char path[1024];
        CanonicalProgramPath(programs[row].c_str(), path, sizeof path);
        if (!read.insert(path).second) continue;
        ProgramPathAsWritten(programs[row].c_str(), path, sizeof path);
        HICON icon = nullptr;
        if (ExtractIconExA(path, 0, nullptr, &icon, 1) && icon) DestroyIcon(icon);
    }
    parts["icons-drawn"] = icons.Milliseconds();
    parts["list-rows"] = TimeBareList(IsWindow(g_page) ? GetDlgItem(g_page, IDC_LIST) : nullptr, (int)listed.size(), 4);
    if ((int)listed.size() != g_expectedRows) {
        fprintf(stderr, "bench: the floor listed %d services, %d expected; not listed:", (int)listed.size(),
                g_expectedRows);
        for (const std::string& own : g_ownServices)
            if (std::find(listed.begin(), listed.end(), own) == listed.end()) fprintf(stderr, " %s", own.c_str());
        fprintf(stderr, "\n");
        return false;
    }
    return true;
}

// ---- The cases ---------------------------------------------------------------------------

HWND List() { return GetDlgItem(g_page, IDC_LIST); }

int FillPage() { return FillBenchPage(g_page, IDD_SERVICES_PAGE, ServicesPageProc); }

// Sorting by Status compares the states the fill read: not one call to the manager.
int SortByStatus()
{
    if (!IsWindow(g_page) && FillPage() < 0) return -1;
    if (!InstallCallCounters()) {
        fprintf(stderr, "bench: the service control manager's calls cannot be counted\n");
        return -1;
    }
    ResetCallCounts();
    SortList(List(), CMD_SERVICES_PAGE, 2);
    long calls = 0;
    for (const auto& count : CallCounts())
        if (count.first == "OpenSCManagerA" || count.first == "OpenServiceA" || count.first == "ControlService" ||
            count.first == "GetServiceKeyNameA")
            calls += count.second;
    if (calls != 0) {
        fprintf(stderr, "bench: sorting by Status made %ld calls to the service control manager\n", calls);
        return -1;
    }
    return ListView_GetItemCount(List());
}

// A planted service's row: its title, command, state and start type as planted; the
// prefix's own rows (never drawn: they sort after the planted ones) show the default icon.
bool JudgeRow(const std::vector<std::string>& cells, RowWanted& wanted, std::string& why)
{
    wanted = RowWanted{cells[0], false, false};
    if (cells[0].compare(0, sizeof kTitlePrefix - 1, kTitlePrefix) != 0) return true;
    int i = atoi(cells[0].c_str() + sizeof kTitlePrefix - 1);
    std::string program = i % 10 == 0 ? "bench_service_program.exe" : Format("Service%02d.exe", i % kPrograms);
    std::string command = i % 4 == 3 ? "svchost.exe " + program : i % 10 == 0 ? program : program + " /service";
    DWORD start = StartOf(i);
    const char* startText = start == SERVICE_AUTO_START ? "Automatic" : start == SERVICE_DEMAND_START ? "Manual" : "Disabled";
    const char* state = i % 10 == 0 ? "Running" : " ";
    if (cells[1] != command || cells[2] != state || cells[3] != startText) {
        why = cells[0] + " shows \"" + cells[1] + "\", \"" + cells[2] + "\", \"" + cells[3] + "\"; planted: \"" + command +
              "\", \"" + state + "\", \"" + startText + "\"";
        return false;
    }
    // The tests' service program has no icon: its rows show the default one.
    wanted = RowWanted{program, true, program != "bench_service_program.exe"};
    return true;
}

bool CheckFill(std::string& why)
{
    g_drawnRows = (int)DrawnRows(List()).size();
    return CheckDrawnList(List(), 4, JudgeRow, why);
}

}  // namespace

bool PlantServiceWorkload(int n, Planted& planted) { return PlantServices(n, planted); }

bool ServicesFloor(FloorParts& parts) { return FloorRun(parts); }

BenchWorkload ServicesWorkload()
{
    return BenchWorkload{
        "services",
        {200},
        {200},
        PlantServices,
        ServicesFloor,
        {
            {"services-page-fill", FillPage, {"scan", "status", "icons-drawn", "list-rows"}, PumpBenchMessages, nullptr, CheckFill},
            {"services-sort-status", SortByStatus, {}},
        },
        "scan = the services key, each subkey's ImagePath, DisplayName, Description, Start and an svchost "
        "service's Parameters\\ServiceDll; status = one manager handle, then for each listed service "
        "OpenServiceA (query status + interrogate) and ControlService(INTERROGATE); icons-drawn = the small icon of "
        "each distinct program on the rows the page draws; list-rows = as many rows put into a bare report list and "
        "drawn once",
    };
}
