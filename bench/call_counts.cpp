// Counting system calls through the import table (see call_counts.h).
#include "call_counts.h"

#include "support/import_hook.h"

#include <windows.h>
#include <commctrl.h>
#include <objbase.h>
#include <shellapi.h>

#include <cstring>

namespace {

enum Counter {
    C_REG_OPEN,
    C_REG_CREATE,
    C_REG_QUERY,
    C_REG_ENUM,
    C_VERSION_SIZE,
    C_VERSION_INFO,
    C_EXTRACT_ICON,
    C_LOAD_IMAGE,
    C_IMAGELIST_ADD,
    C_CO_CREATE,
    C_CREATE_FILE,
    C_SHORT_PATH,
    C_ATTRIBUTES,
    C_FIND_FIRST,
    C_PROFILE_STRING,
    C_LONG_PATH,
    C_SCM_OPEN,
    C_SERVICE_OPEN,
    C_SERVICE_CONTROL,
    C_SERVICE_KEY_NAME,
    C_COUNT
};

const char* const kNames[C_COUNT] = {
    "RegOpenKeyExA",    "RegCreateKeyA",  "RegQueryValueExA",     "RegEnumValueA",     "GetFileVersionInfoSizeA",
    "GetFileVersionInfoA", "ExtractIconExA", "LoadImageA",          "ImageList_ReplaceIcon", "CoCreateInstance",
    "CreateFileA",      "GetShortPathNameA", "GetFileAttributesA", "FindFirstFileA",    "GetProfileStringA", "GetLongPathNameA",
    "OpenSCManagerA",   "OpenServiceA",   "ControlService",       "GetServiceKeyNameA",
};

long g_counts[C_COUNT];

decltype(&RegOpenKeyExA) g_regOpen;
decltype(&RegCreateKeyA) g_regCreate;
decltype(&RegQueryValueExA) g_regQuery;
decltype(&RegEnumValueA) g_regEnum;
decltype(&GetFileVersionInfoSizeA) g_versionSize;
decltype(&GetFileVersionInfoA) g_versionInfo;
decltype(&ExtractIconExA) g_extractIcon;
decltype(&LoadImageA) g_loadImage;
decltype(&ImageList_ReplaceIcon) g_replaceIcon;
decltype(&CoCreateInstance) g_coCreate;
decltype(&CreateFileA) g_createFile;
decltype(&GetShortPathNameA) g_shortPath;
decltype(&GetFileAttributesA) g_attributes;
decltype(&FindFirstFileA) g_findFirst;
decltype(&GetProfileStringA) g_profileString;
decltype(&GetLongPathNameA) g_longPath;
decltype(&GetProcAddress) g_getProcAddress;
decltype(&OpenSCManagerA) g_scmOpen;
decltype(&OpenServiceA) g_serviceOpen;
decltype(&ControlService) g_serviceControl;
decltype(&GetServiceKeyNameA) g_serviceKeyName;

SC_HANDLE WINAPI CountScmOpen(LPCSTR a, LPCSTR b, DWORD c)
{
    ++g_counts[C_SCM_OPEN];
    return g_scmOpen(a, b, c);
}
SC_HANDLE WINAPI CountServiceOpen(SC_HANDLE a, LPCSTR b, DWORD c)
{
    ++g_counts[C_SERVICE_OPEN];
    return g_serviceOpen(a, b, c);
}
BOOL WINAPI CountServiceControl(SC_HANDLE a, DWORD b, LPSERVICE_STATUS c)
{
    ++g_counts[C_SERVICE_CONTROL];
    return g_serviceControl(a, b, c);
}
BOOL WINAPI CountServiceKeyName(SC_HANDLE a, LPCSTR b, LPSTR c, LPDWORD d)
{
    ++g_counts[C_SERVICE_KEY_NAME];
    return g_serviceKeyName(a, b, c, d);
}

LONG WINAPI CountRegOpen(HKEY a, LPCSTR b, DWORD c, REGSAM d, PHKEY e)
{
    ++g_counts[C_REG_OPEN];
    return g_regOpen(a, b, c, d, e);
}
LONG WINAPI CountRegCreate(HKEY a, LPCSTR b, PHKEY c)
{
    ++g_counts[C_REG_CREATE];
    return g_regCreate(a, b, c);
}
LONG WINAPI CountRegQuery(HKEY a, LPCSTR b, LPDWORD c, LPDWORD d, LPBYTE e, LPDWORD f)
{
    ++g_counts[C_REG_QUERY];
    return g_regQuery(a, b, c, d, e, f);
}
LONG WINAPI CountRegEnum(HKEY a, DWORD b, LPSTR c, LPDWORD d, LPDWORD e, LPDWORD f, LPBYTE g, LPDWORD h)
{
    ++g_counts[C_REG_ENUM];
    return g_regEnum(a, b, c, d, e, f, g, h);
}
DWORD WINAPI CountVersionSize(LPCSTR a, LPDWORD b)
{
    ++g_counts[C_VERSION_SIZE];
    return g_versionSize(a, b);
}
BOOL WINAPI CountVersionInfo(LPCSTR a, DWORD b, DWORD c, LPVOID d)
{
    ++g_counts[C_VERSION_INFO];
    return g_versionInfo(a, b, c, d);
}
UINT WINAPI CountExtractIcon(LPCSTR a, int b, HICON* c, HICON* d, UINT e)
{
    ++g_counts[C_EXTRACT_ICON];
    return g_extractIcon(a, b, c, d, e);
}
HANDLE WINAPI CountLoadImage(HINSTANCE a, LPCSTR b, UINT c, int d, int e, UINT f)
{
    ++g_counts[C_LOAD_IMAGE];
    return g_loadImage(a, b, c, d, e, f);
}
int WINAPI CountReplaceIcon(HIMAGELIST a, int b, HICON c)
{
    ++g_counts[C_IMAGELIST_ADD];
    return g_replaceIcon(a, b, c);
}
HRESULT WINAPI CountCoCreate(REFCLSID a, LPUNKNOWN b, DWORD c, REFIID d, LPVOID* e)
{
    ++g_counts[C_CO_CREATE];
    return g_coCreate(a, b, c, d, e);
}
HANDLE WINAPI CountCreateFile(LPCSTR a, DWORD b, DWORD c, LPSECURITY_ATTRIBUTES d, DWORD e, DWORD f, HANDLE g)
{
    ++g_counts[C_CREATE_FILE];
    return g_createFile(a, b, c, d, e, f, g);
}
DWORD WINAPI CountShortPath(LPCSTR a, LPSTR b, DWORD c)
{
    ++g_counts[C_SHORT_PATH];
    return g_shortPath(a, b, c);
}
DWORD WINAPI CountAttributes(LPCSTR a)
{
    ++g_counts[C_ATTRIBUTES];
    return g_attributes(a);
}
HANDLE WINAPI CountFindFirst(LPCSTR a, LPWIN32_FIND_DATAA b)
{
    ++g_counts[C_FIND_FIRST];
    return g_findFirst(a, b);
}
DWORD WINAPI CountProfileString(LPCSTR a, LPCSTR b, LPCSTR c, LPSTR d, DWORD e)
{
    ++g_counts[C_PROFILE_STRING];
    return g_profileString(a, b, c, d, e);
}

DWORD WINAPI CountLongPath(LPCSTR a, LPSTR b, DWORD c)
{
    ++g_counts[C_LONG_PATH];
    return g_longPath(a, b, c);
}
// The long-path function is looked up at run time (it is missing on the oldest systems).
FARPROC WINAPI CountingGetProcAddress(HMODULE module, LPCSTR name)
{
    FARPROC found = g_getProcAddress(module, name);
    if (found && HIWORD(reinterpret_cast<ULONG_PTR>(name)) && strcmp(name, "GetLongPathNameA") == 0) {
        g_longPath = reinterpret_cast<decltype(&GetLongPathNameA)>(reinterpret_cast<void*>(found));
        return reinterpret_cast<FARPROC>(reinterpret_cast<void*>(&CountLongPath));
    }
    return found;
}

}  // namespace

bool InstallCallCounters()
{
    static int installed = -1;
    if (installed >= 0) return installed == 1;
    bool ok = true;
    ok &= HookImport("advapi32.dll", "RegOpenKeyExA", &CountRegOpen, &g_regOpen);
    ok &= HookImport("advapi32.dll", "RegCreateKeyA", &CountRegCreate, &g_regCreate);
    ok &= HookImport("advapi32.dll", "RegQueryValueExA", &CountRegQuery, &g_regQuery);
    ok &= HookImport("advapi32.dll", "RegEnumValueA", &CountRegEnum, &g_regEnum);
    ok &= HookImport("version.dll", "GetFileVersionInfoSizeA", &CountVersionSize, &g_versionSize);
    ok &= HookImport("version.dll", "GetFileVersionInfoA", &CountVersionInfo, &g_versionInfo);
    ok &= HookImport("shell32.dll", "ExtractIconExA", &CountExtractIcon, &g_extractIcon);
    ok &= HookImport("user32.dll", "LoadImageA", &CountLoadImage, &g_loadImage);
    ok &= HookImport("comctl32.dll", "ImageList_ReplaceIcon", &CountReplaceIcon, &g_replaceIcon);
    ok &= HookImport("ole32.dll", "CoCreateInstance", &CountCoCreate, &g_coCreate);
    ok &= HookImport("kernel32.dll", "CreateFileA", &CountCreateFile, &g_createFile);
    ok &= HookImport("kernel32.dll", "GetShortPathNameA", &CountShortPath, &g_shortPath);
    ok &= HookImport("kernel32.dll", "GetFileAttributesA", &CountAttributes, &g_attributes);
    ok &= HookImport("kernel32.dll", "FindFirstFileA", &CountFindFirst, &g_findFirst);
    ok &= HookImport("kernel32.dll", "GetProfileStringA", &CountProfileString, &g_profileString);
    ok &= HookImport("kernel32.dll", "GetProcAddress", &CountingGetProcAddress, &g_getProcAddress);
    ok &= HookImport("advapi32.dll", "OpenSCManagerA", &CountScmOpen, &g_scmOpen);
    ok &= HookImport("advapi32.dll", "OpenServiceA", &CountServiceOpen, &g_serviceOpen);
    ok &= HookImport("advapi32.dll", "ControlService", &CountServiceControl, &g_serviceControl);
    ok &= HookImport("advapi32.dll", "GetServiceKeyNameA", &CountServiceKeyName, &g_serviceKeyName);
    installed = ok ? 1 : 0;
    return ok;
}

void ResetCallCounts()
{
    for (long& count : g_counts) count = 0;
}

std::vector<std::pair<std::string, long>> CallCounts()
{
    std::vector<std::pair<std::string, long>> counts;
    for (int i = 0; i < C_COUNT; ++i) counts.emplace_back(kNames[i], g_counts[i]);
    return counts;
}

long CallCount(const char* name)
{
    for (int i = 0; i < C_COUNT; ++i)
        if (strcmp(kNames[i], name) == 0) return g_counts[i];
    return 0;
}
