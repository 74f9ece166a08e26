// The resident monitor's workload: N startup entries (the startup workload's planting), with
// everything on the machine recorded as known. Cases: one full patrol of every place, in
// process through the same patrol code as Vigilark.exe (it must find nothing), against the
// bare enumeration of the same places; and the real Vigilark.exe started beside the harness:
// how soon a new Run value is alerted (4 plants a run, the run's median its time; the median
// over the timed runs' plants, 20 at the default 5 runs, printed at the end) and what it costs
// while idle (its CPU milliseconds per minute the run's time; private memory printed at the end).
#include "bench.h"
#include "timing.h"

#include "app/start.h"
#include "foundations/file_replace.h"
#include "foundations/paths.h"
#include "foundations/patrol_places.h"
#include "foundations/registry.h"
#include "foundations/strings.h"
#include "foundations/text.h"
#include "filetypes/filetypes.h"
#include "iehelpers/iehelpers.h"
#include "monitor/patrol_round.h"
#include "options/system_files.h"
#include "resource.h"
#include "scheduler/task_scheduler.h"
#include "services/services.h"
#include "startup/disabled_store.h"
#include "startup/startup_actions.h"
#include "startup/startup_patrol.h"

#include <windows.h>
#include <mstask.h>
#include <psapi.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

namespace {

const char kRunKey[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";
const int kPlantsPerRun = 4;

int g_rows = 0;
PROCESS_INFORMATION g_monitor = {};
std::vector<std::vector<double>> g_latencies;  // by run, the first the warm-up
std::vector<double> g_cpuPerMinute;             // by run, the first the warm-up
std::vector<double> g_privateMb;
std::string g_monitorStat;  // /proc/<pid>/stat of the monitor's Unix process, once found
double g_cpuTotal = 0;      // the monitor's CPU time at the end of the last idle run
double g_idleSeconds = 30;

void WaitUntilSettled();
int g_planted = 0;

void Put(HKEY hive, const char* subkey, const char* name, const char* text)
{
    CreateRegKey(hive, subkey);
    SetRegString(hive, subkey, name, text);
}

std::string OwnFolder()
{
    char folder[MAX_PATH];
    ProgramDirectory(folder, sizeof folder);
    return folder;
}

// Every place once; the number of findings (0 on a machine that is all known), -1 when a
// place could not be read.
int PatrolEveryPlace()
{
    PatrolMemory memory;
    int found = 0;
    for (int place = 0; place < PatrolPlaceCount(); ++place) {
        PatrolResult result = PatrolOnce(*PatrolPlaceAt(place), memory, OwnFolder(), true);
        if (!result.read || result.found)
            fprintf(stderr, "bench: the %s patrol %s\n", PatrolPlaceAt(place)->name,
                    result.read ? "found something" : "could not read its place");
        if (!result.read) return -1;
        found += result.found;
    }
    return found;
}

bool Plant(int n, Planted& planted)
{
    if (!StartupWorkload().plant(n, planted)) return false;
    // As after the console's first run: what is there now is known.
    Put(HKEY_CURRENT_USER, VIGILARK_KEY, "", "2026-01-01   00:00");
    Put(HKEY_CURRENT_USER, VIGILARK_KEY "\\Services", "", "2026-01-01   00:00");
    Put(HKEY_CURRENT_USER, VIGILARK_OPTIONS_KEY, "Sound", "0");
    Put(HKEY_CURRENT_USER, VIGILARK_OPTIONS_KEY, "History", "0");
    RecordKnownStartupEntries();
    RecordKnownIeHelpers();
    RecordKnownServices();
    RecordKnownTasks();
    CreateFileTypeSnapshot();
    InstallPatrolPlaces();
    PatrolEveryPlace();  // the records the monitor keeps itself: HOSTS, start pages, file types
    g_rows = planted.expectedRows;
    g_idleSeconds = n >= 500 ? 30 : 5;
    g_latencies.clear();
    g_cpuPerMinute.clear();
    g_privateMb.clear();
    planted.note += "; everything recorded as known";
    return true;
}

// ---- The floor of the other places: their keys, files and work items, bare ----------------

int EnumerateKey(HKEY hive, const char* subkey, bool values, const char* valueOfEach = nullptr)
{
    HKEY key = nullptr;
    if (RegOpenKeyExA(hive, subkey, 0, KEY_READ, &key) != ERROR_SUCCESS) return 0;
    int count = 0;
    for (DWORD index = 0;; ++index) {
        char name[256];
        DWORD size = sizeof name;
        LONG rc = values ? RegEnumValueA(key, index, name, &size, nullptr, nullptr, nullptr, nullptr)
                         : RegEnumKeyExA(key, index, name, &size, nullptr, nullptr, nullptr, nullptr);
        if (rc == ERROR_NO_MORE_ITEMS) break;
        if (rc != ERROR_SUCCESS) continue;
        ++count;
        if (valueOfEach) {
            char data[1024];
            DWORD length = sizeof data;
            HKEY item = nullptr;
            if (RegOpenKeyExA(key, name, 0, KEY_READ, &item) == ERROR_SUCCESS) {
                RegQueryValueExA(item, valueOfEach, nullptr, nullptr, reinterpret_cast<BYTE*>(data), &length);
                RegCloseKey(item);
            }
        }
    }
    RegCloseKey(key);
    return count;
}

void EnumerateWorkItems()
{
    ITaskScheduler* scheduler = nullptr;
    if (FAILED(CoCreateInstance(CLSID_CTaskScheduler, nullptr, CLSCTX_INPROC_SERVER, IID_ITaskScheduler,
                                reinterpret_cast<void**>(&scheduler))))
        return;
    IEnumWorkItems* items = nullptr;
    if (SUCCEEDED(scheduler->Enum(&items)) && items) {
        LPWSTR* names = nullptr;
        ULONG fetched = 0;
        while (SUCCEEDED(items->Next(5, &names, &fetched)) && names && fetched > 0) {
            for (ULONG i = 0; i < fetched; ++i) {
                std::wstring name = names[i];
                if (name.size() > 4) name.resize(name.size() - 4);  // without ".job"
                ITask* task = nullptr;
                if (SUCCEEDED(scheduler->Activate(name.c_str(), IID_ITask, reinterpret_cast<IUnknown**>(&task)))) {
                    LPWSTR program = nullptr;
                    if (SUCCEEDED(task->GetApplicationName(&program))) CoTaskMemFree(program);
                    task->Release();
                }
                CoTaskMemFree(names[i]);
            }
            CoTaskMemFree(names);
            names = nullptr;
        }
        items->Release();
    }
    scheduler->Release();
}

void ReadMonitoredClasses()
{
    char list[1024] = "";
    ReadRegString(HKEY_CURRENT_USER, VIGILARK_KEY "\\Class", nullptr, list, sizeof list);
    for (char* piece = strtok(list, ";"); piece; piece = strtok(nullptr, ";")) {
        char className[256];
        char command[260];
        std::string ext = std::string("Software\\Classes\\.") + piece;
        if (ReadRegString(HKEY_LOCAL_MACHINE, ext.c_str(), nullptr, className, sizeof className) == 0) continue;
        std::string key = std::string("Software\\Classes\\") + className + "\\shell\\open\\command";
        ReadRegString(HKEY_LOCAL_MACHINE, key.c_str(), nullptr, command, sizeof command);
    }
}

bool Floor(FloorParts& parts)
{
    if (!StartupWorkload().floor(parts)) return false;
    // What is known, to compare against: each list once, with the disabled store's markers.
    Stopwatch known;
    for (const char* list : {KNOWN_PROGRAMS_KEY, VIGILARK_KEY "\\Services", VIGILARK_KEY "\\Tasks",
                             VIGILARK_KEY "\\IEHelpers"})
        EnumerateKey(HKEY_CURRENT_USER, list, true);
    EnumerateKey(HKEY_LOCAL_MACHINE, DISABLED_STORE_KEY, true);
    parts["known"] = known.Milliseconds();
    Stopwatch places;
    EnumerateKey(HKEY_LOCAL_MACHINE, IE_BHO_KEY, false);
    EnumerateKey(HKEY_LOCAL_MACHINE, IE_TOOLBAR_KEY, true);
    EnumerateKey(HKEY_LOCAL_MACHINE, IE_EXTENSION_KEY, false);
    EnumerateKey(HKEY_LOCAL_MACHINE, "SYSTEM\\CurrentControlSet\\Services", false, "ImagePath");
    EnumerateWorkItems();
    ReadMonitoredClasses();
    char hosts[MAX_PATH];
    std::string bytes;
    HostsPath(hosts, sizeof hosts);
    ReadFileBytes(hosts, bytes);
    ReadFileBytes((OwnFolder() + "\\HOSTS.saved").c_str(), bytes);
    parts["places"] = places.Milliseconds();
    return true;
}

int FullPatrol() { return PatrolEveryPlace() == 0 ? g_rows : -1; }

// ---- The real Vigilark.exe -------------------------------------------------------------------

HWND MonitorWindow()
{
    HWND window = FindWindowA("Vigilark", nullptr);
    DWORD owner = 0;
    if (window) GetWindowThreadProcessId(window, &owner);
    return window && owner == g_monitor.dwProcessId ? window : nullptr;
}

// Started for a run (so that it patrols nothing while the other cases are timed), its first
// patrol over (its title then shows the patrol's time).
bool StartMonitor()
{
    std::string folder = OwnFolder() + "\\monitor";  // never beside the harness: see scripts/bench.sh
    std::string program = folder + "\\Vigilark.exe";
    std::string line = "\"" + program + "\"";
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    if (!CreateProcessA(program.c_str(), &line[0], nullptr, nullptr, FALSE, 0, nullptr, folder.c_str(), &startup,
                        &g_monitor)) {
        fprintf(stderr, "bench: %s does not start\n", program.c_str());
        return false;
    }
    char idle[128];
    LoadText(IDS_TRAY_IDLE, idle);
    for (int waited = 0; waited < 60000; waited += 20) {
        HWND window = MonitorWindow();
        char title[128] = "";
        if (window && GetWindowTextA(window, title, sizeof title) && strcmp(title, idle) != 0) {
            WaitUntilSettled();
            return true;
        }
        Sleep(20);
    }
    fprintf(stderr, "bench: Vigilark.exe did not finish its first patrol\n");
    return false;
}

void StopMonitor()
{
    if (!g_monitor.hProcess) return;
    PostMessageA(MonitorWindow(), WM_CLOSE, 0, 0);
    if (WaitForSingleObject(g_monitor.hProcess, 10000) != WAIT_OBJECT_0) TerminateProcess(g_monitor.hProcess, 1);
    CloseHandle(g_monitor.hProcess);
    CloseHandle(g_monitor.hThread);
    g_monitor = PROCESS_INFORMATION();
    g_monitorStat.clear();
}

// The alert of the monitor's process that names `title`.
struct AlertSearch {
    DWORD process;
    const char* title;
    HWND found;
};

BOOL CALLBACK FindAlert(HWND window, LPARAM data)
{
    AlertSearch* search = reinterpret_cast<AlertSearch*>(data);
    DWORD owner = 0;
    char text[256] = "";
    GetWindowThreadProcessId(window, &owner);
    if (owner != search->process || !IsWindowVisible(window)) return TRUE;
    GetDlgItemTextA(window, IDC_ALERT_TITLE, text, sizeof text);
    if (strcmp(text, search->title) != 0) return TRUE;
    search->found = window;
    return FALSE;
}

// Plants a Run value and waits for its alert; the milliseconds, or -1.
double PlantAndWait()
{
    char name[64];
    FormatText(name, sizeof name, "VgkBench Alert %d", ++g_planted);
    Stopwatch watch;
    Put(HKEY_CURRENT_USER, kRunKey, name, "C:\\VkBench\\alerted.exe");
    AlertSearch search = {g_monitor.dwProcessId, name, nullptr};
    for (;;) {
        EnumWindows(FindAlert, reinterpret_cast<LPARAM>(&search));
        if (search.found) break;
        if (watch.Milliseconds() > 20000) return -1;
        Sleep(1);
    }
    double ms = watch.Milliseconds();
    PostMessageA(search.found, WM_COMMAND, MAKEWPARAM(IDC_ALERT_LATER, BN_CLICKED), 0);
    while (IsWindow(search.found)) Sleep(5);
    DeleteRegValue(HKEY_CURRENT_USER, kRunKey, name);  // the other cases see only what was planted
    return ms;
}

int DetectLatency()
{
    g_latencies.emplace_back();
    bool ok = StartMonitor();
    for (int i = 0; ok && i < kPlantsPerRun; ++i) {
        double ms = PlantAndWait();
        ok = ms >= 0;
        if (ok) g_latencies.back().push_back(ms);
    }
    StopMonitor();
    return ok ? g_rows : -1;
}

// A run's time: the median of its plants.
double RunLatency() { return g_latencies.empty() ? -1 : MedianOf(g_latencies.back()); }

// Every plant of the timed runs.
std::vector<double> TimedPlants()
{
    std::vector<double> plants;
    for (size_t run = 1; run < g_latencies.size(); ++run)
        plants.insert(plants.end(), g_latencies[run].begin(), g_latencies[run].end());
    return plants;
}

// Wine gives no process times of another process: the CPU time of the monitor is read from
// the Unix process behind it (drive Z: is the root), found by its command line.
double ProcessCpuMs()
{
    std::string& stat = g_monitorStat;
    std::string bytes;
    if (stat.empty() || !ReadFileBytes(stat.c_str(), bytes)) {
        stat.clear();
        WIN32_FIND_DATAA found;
        HANDLE search = FindFirstFileA("Z:\\proc\\*", &found);
        if (search == INVALID_HANDLE_VALUE) return -1;
        do {
            std::string folder = std::string("Z:\\proc\\") + found.cFileName;
            std::string line;
            if (found.cFileName[0] < '0' || found.cFileName[0] > '9' ||
                !ReadFileBytes((folder + "\\cmdline").c_str(), line))
                continue;
            for (char& c : line) c = c == '/' ? '\\' : c;
            if (line.find("bench\\bin\\monitor\\Vigilark.exe") != std::string::npos) stat = folder + "\\stat";
        } while (stat.empty() && FindNextFileA(search, &found));
        FindClose(search);
        if (stat.empty() || !ReadFileBytes(stat.c_str(), bytes)) return -1;
    }
    // Fields after the command's closing parenthesis: state is the 3rd field, utime the 14th, stime the 15th.
    size_t at = bytes.rfind(')');
    if (at == std::string::npos) return -1;
    unsigned long long user = 0, system = 0;
    if (sscanf(bytes.c_str() + at + 2, "%*c %*d %*d %*d %*d %*d %*u %*u %*u %*u %*u %llu %llu", &user, &system) != 2)
        return -1;
    return (double)(user + system) * 10.0;  // clock ticks of 10 ms
}

// After the start, the first patrol of every place: done when the monitor has used no CPU
// for a second.
void WaitUntilSettled()
{
    double last = ProcessCpuMs();
    for (int quiet = 0, waited = 0; quiet < 1000 && waited < 60000; waited += 100) {
        Sleep(100);
        double now = ProcessCpuMs();
        quiet = now == last ? quiet + 100 : 0;
        last = now;
    }
}

double PrivateMegabytes(HANDLE process)
{
    PROCESS_MEMORY_COUNTERS_EX memory = {};
    memory.cb = sizeof memory;
    if (!GetProcessMemoryInfo(process, reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&memory), sizeof memory)) return -1;
    // Wine leaves PrivateUsage empty; the page-file usage counts the same private pages.
    return (memory.PrivateUsage ? memory.PrivateUsage : memory.PagefileUsage) / 1048576.0;
}

// Half a minute (5 s at the quick size) of the monitor doing nothing but waiting, with
// every patrol on.
int IdleCpu()
{
    if (!StartMonitor()) return -1;
    const double seconds = g_idleSeconds;
    double before = ProcessCpuMs();
    Sleep((DWORD)(seconds * 1000));
    double after = ProcessCpuMs();
    if (before < 0 || after < 0) return -1;  // the CPU time could not be read: no figure
    g_cpuPerMinute.push_back((after - before) * 60.0 / seconds);
    g_cpuTotal = after;
    g_privateMb.push_back(PrivateMegabytes(g_monitor.hProcess));
    StopMonitor();
    return g_rows;
}

// The floor of the memory: the harness itself started as a bare resident window (--idle).
double IdleFloorMegabytes()
{
    char self[MAX_PATH];
    GetModuleFileNameA(nullptr, self, sizeof self);
    std::string line = std::string("\"") + self + "\" --idle";
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process = {};
    if (!CreateProcessA(self, &line[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process)) return -1;
    WaitForInputIdle(process.hProcess, 10000);
    Sleep(1000);
    double megabytes = PrivateMegabytes(process.hProcess);
    TerminateProcess(process.hProcess, 0);
    CloseHandle(process.hProcess);
    CloseHandle(process.hThread);
    return megabytes;
}

// The run's time: the monitor's CPU milliseconds per minute.
double RunCpu() { return g_cpuPerMinute.empty() ? -1 : g_cpuPerMinute.back(); }

void ReportLatency()
{
    std::vector<double> plants = TimedPlants();
    printf("  monitor-detect-latency: alert after a new Run value, median over %u plants: %.1f ms (goal < 1000 ms)\n",
           (unsigned)plants.size(), MedianOf(plants));
    fflush(stdout);
}

void ReportIdle()
{
    printf("  monitor-idle-cpu: CPU %.1f ms per minute, median of %u runs (goal < 100 ms; %.0f ms in all since its "
           "start); private memory %.1f MB (goal < 8 MB; a bare resident window of the same runtime: %.1f MB)\n",
           g_cpuPerMinute.size() > 1 ? MedianOf(std::vector<double>(g_cpuPerMinute.begin() + 1, g_cpuPerMinute.end()))
                                     : 0.0,
           (unsigned)(g_cpuPerMinute.size() > 1 ? g_cpuPerMinute.size() - 1 : 0), g_cpuTotal, MedianOf(g_privateMb),
           IdleFloorMegabytes());
    fflush(stdout);
}

const char kFloorNote[] =
    "the startup collection's parts (enumerate, titles, long-paths: the entries' identities are the console's), "
    "known = the known lists (programs, services, tasks, add-ons) and the disabled store's markers read once; "
    "places = the add-on keys, the services key with each ImagePath, every "
    "scheduled work item activated with its program read, each monitored file type's class and command, the "
    "HOSTS file and its copy";

}  // namespace

BenchWorkload MonitorWorkload()
{
    return BenchWorkload{
        "monitor",
        {500},
        {100},
        Plant,
        Floor,
        {
            {"monitor-full-patrol", FullPatrol, {"enumerate", "titles", "long-paths", "known", "places"}},
            {"monitor-detect-latency", DetectLatency, {}, nullptr, ReportLatency, nullptr, RunLatency},
            {"monitor-idle-cpu", IdleCpu, {}, nullptr, ReportIdle, nullptr, RunCpu},
        },
        kFloorNote,
    };
}

int BenchIdleWindow()
{
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = DefWindowProcA;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.lpszClassName = "VigilarkBenchIdle";
    RegisterClassA(&windowClass);
    CreateWindowExA(0, windowClass.lpszClassName, "", WS_OVERLAPPED, 0, 0, 0, 0, nullptr, nullptr,
                    windowClass.hInstance, nullptr);
    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) DispatchMessageA(&message);
    return 0;
}
