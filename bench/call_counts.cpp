// Counting system calls through the import table (see call_counts.h).
#include "call_counts.h"

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
    C_COUNT
};

const char* const kNames[C_COUNT] = {
    "RegOpenKeyExA",    "RegCreateKeyA",  "RegQueryValueExA",     "RegEnumValueA",     "GetFileVersionInfoSizeA",
    "GetFileVersionInfoA", "ExtractIconA", "LoadImageA",          "ImageList_ReplaceIcon", "CoCreateInstance",
    "CreateFileA",      "GetShortPathNameA", "GetFileAttributesA", "FindFirstFileA",    "GetProfileStringA", "GetLongPathNameA",
};

long g_counts[C_COUNT];

decltype(&RegOpenKeyExA) g_regOpen;
decltype(&RegCreateKeyA) g_regCreate;
decltype(&RegQueryValueExA) g_regQuery;
decltype(&RegEnumValueA) g_regEnum;
decltype(&GetFileVersionInfoSizeA) g_versionSize;
decltype(&GetFileVersionInfoA) g_versionInfo;
decltype(&ExtractIconA) g_extractIcon;
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
HICON WINAPI CountExtractIcon(HINSTANCE a, LPCSTR b, UINT c)
{
    ++g_counts[C_EXTRACT_ICON];
    return g_extractIcon(a, b, c);
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

// Points the import of `function` from `dll` at `replacement`; the original address goes
// to *original. False when this program does not import it.
bool Redirect(const char* dll, const char* function, void* replacement, void** original)
{
    BYTE* base = reinterpret_cast<BYTE*>(GetModuleHandleA(nullptr));
    auto* dos = reinterpret_cast<IMAGE_DOS_HEADER*>(base);
    auto* nt = reinterpret_cast<IMAGE_NT_HEADERS*>(base + dos->e_lfanew);
    const IMAGE_DATA_DIRECTORY& imports = nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
    if (!imports.VirtualAddress) return false;
    for (auto* entry = reinterpret_cast<IMAGE_IMPORT_DESCRIPTOR*>(base + imports.VirtualAddress); entry->Name;
         ++entry) {
        if (lstrcmpiA(reinterpret_cast<const char*>(base + entry->Name), dll) != 0) continue;
        auto* names = reinterpret_cast<IMAGE_THUNK_DATA*>(base + entry->OriginalFirstThunk);
        auto* slots = reinterpret_cast<IMAGE_THUNK_DATA*>(base + entry->FirstThunk);
        for (; names->u1.AddressOfData; ++names, ++slots) {
            if (IMAGE_SNAP_BY_ORDINAL(names->u1.Ordinal)) continue;
            auto* byName = reinterpret_cast<IMAGE_IMPORT_BY_NAME*>(base + names->u1.AddressOfData);
            if (strcmp(reinterpret_cast<const char*>(byName->Name), function) != 0) continue;
            DWORD protection = 0;
            if (!VirtualProtect(&slots->u1.Function, sizeof slots->u1.Function, PAGE_READWRITE, &protection))
                return false;
            *original = reinterpret_cast<void*>(slots->u1.Function);
            slots->u1.Function = reinterpret_cast<ULONG_PTR>(replacement);
            VirtualProtect(&slots->u1.Function, sizeof slots->u1.Function, protection, &protection);
            return true;
        }
    }
    return false;
}

template <typename F> bool Hook(const char* dll, const char* function, F replacement, F* original)
{
    return Redirect(dll, function, reinterpret_cast<void*>(replacement), reinterpret_cast<void**>(original));
}

}  // namespace

bool InstallCallCounters()
{
    static int installed = -1;
    if (installed >= 0) return installed == 1;
    bool ok = true;
    ok &= Hook("advapi32.dll", "RegOpenKeyExA", &CountRegOpen, &g_regOpen);
    ok &= Hook("advapi32.dll", "RegCreateKeyA", &CountRegCreate, &g_regCreate);
    ok &= Hook("advapi32.dll", "RegQueryValueExA", &CountRegQuery, &g_regQuery);
    ok &= Hook("advapi32.dll", "RegEnumValueA", &CountRegEnum, &g_regEnum);
    ok &= Hook("version.dll", "GetFileVersionInfoSizeA", &CountVersionSize, &g_versionSize);
    ok &= Hook("version.dll", "GetFileVersionInfoA", &CountVersionInfo, &g_versionInfo);
    ok &= Hook("shell32.dll", "ExtractIconA", &CountExtractIcon, &g_extractIcon);
    ok &= Hook("user32.dll", "LoadImageA", &CountLoadImage, &g_loadImage);
    ok &= Hook("comctl32.dll", "ImageList_ReplaceIcon", &CountReplaceIcon, &g_replaceIcon);
    ok &= Hook("ole32.dll", "CoCreateInstance", &CountCoCreate, &g_coCreate);
    ok &= Hook("kernel32.dll", "CreateFileA", &CountCreateFile, &g_createFile);
    ok &= Hook("kernel32.dll", "GetShortPathNameA", &CountShortPath, &g_shortPath);
    ok &= Hook("kernel32.dll", "GetFileAttributesA", &CountAttributes, &g_attributes);
    ok &= Hook("kernel32.dll", "FindFirstFileA", &CountFindFirst, &g_findFirst);
    ok &= Hook("kernel32.dll", "GetProfileStringA", &CountProfileString, &g_profileString);
    ok &= Hook("kernel32.dll", "GetProcAddress", &CountingGetProcAddress, &g_getProcAddress);
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
