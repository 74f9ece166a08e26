// Registry views and system folders of 64-bit Windows (see system_view.h).
#include "foundations/system_view.h"

#include "foundations/strings.h"
#include "foundations/text.h"
#include "resource.h"

#include <cstring>

namespace {

HMODULE Kernel() { return GetModuleHandleA("kernel32.dll"); }

template <typename F> F KernelProc(const char* name)
{
    return reinterpret_cast<F>(reinterpret_cast<void*>(GetProcAddress(Kernel(), name)));
}

SystemBits ReadSystemBits()
{
    SystemBits bits;
    bits.program32 = sizeof(void*) == 4;
    bits.system64 = !bits.program32;
    if (bits.program32) {
        typedef BOOL(WINAPI * IsWow64ProcessFn)(HANDLE, PBOOL);
        IsWow64ProcessFn isWow64 = KernelProc<IsWow64ProcessFn>("IsWow64Process");
        BOOL wow64 = FALSE;
        bits.system64 = isWow64 && isWow64(GetCurrentProcess(), &wow64) && wow64;
    }
    return bits;
}

std::string FolderText(UINT (WINAPI* get)(LPSTR, UINT))
{
    char folder[MAX_PATH];
    UINT length = get ? get(folder, sizeof folder) : 0;
    return length > 0 && length < sizeof folder ? std::string(folder, length) : std::string();
}

SystemFolders ReadSystemFolders()
{
    SystemFolders folders;
    folders.windows = FolderText(GetWindowsDirectoryA);
    folders.system = FolderText(GetSystemDirectoryA);
    if (!Is64BitWindows()) return folders;
    folders.sysWow64 = FolderText(KernelProc<UINT(WINAPI*)(LPSTR, UINT)>("GetSystemWow64DirectoryA"));
    if (CurrentSystemBits().program32) {
        DWORD attributes = GetFileAttributesA((folders.windows + "\\Sysnative").c_str());
        folders.sysnative = attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
    }
    return folders;
}

// The rest of the path after "<folder>\", when the path lies in the folder.
bool AfterFolder(const std::string& path, const std::string& folder, std::string& rest)
{
    if (folder.empty() || path.size() <= folder.size() + 1 || path[folder.size()] != '\\') return false;
    if (CompareStringA(LOCALE_SYSTEM_DEFAULT, NORM_IGNORECASE, path.data(), (int)folder.size(), folder.data(),
                       (int)folder.size()) != CSTR_EQUAL)
        return false;
    rest = path.substr(folder.size() + 1);
    return true;
}

}  // namespace

SystemBits CurrentSystemBits()
{
    static const SystemBits bits = ReadSystemBits();
    return bits;
}

bool Is64BitWindows() { return CurrentSystemBits().system64; }

REGSAM ViewFlags(RegistryView view, const SystemBits& bits)
{
    if (!bits.system64) return 0;
    return view == VIEW_32BIT ? KEY_WOW64_32KEY : KEY_WOW64_64KEY;
}

RegRoot RootInView(HKEY hive, RegistryView view) { return RegRoot(hive, ViewFlags(view, CurrentSystemBits())); }

std::vector<RegistryView> ListedViews()
{
    if (Is64BitWindows()) return {VIEW_NATIVE, VIEW_32BIT};
    return {VIEW_NATIVE};
}

namespace {

// The key's full name as the kernel knows it (NtQueryKey, KeyNameInformation = 3), looked
// up at run time: the 95 family has no such call.
std::wstring KernelKeyName(HKEY key)
{
    typedef LONG(WINAPI * NtQueryKeyFn)(HANDLE, int, void*, ULONG, ULONG*);
    static NtQueryKeyFn query = reinterpret_cast<NtQueryKeyFn>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("ntdll.dll"), "NtQueryKey")));
    if (!query || !key) return std::wstring();
    std::vector<char> buffer(4096);
    ULONG length = 0;
    if (query(key, 3, buffer.data(), (ULONG)buffer.size(), &length) != 0) return std::wstring();
    ULONG bytes = 0;
    memcpy(&bytes, buffer.data(), sizeof bytes);
    if (bytes > buffer.size() - sizeof bytes) return std::wstring();
    std::wstring name(bytes / sizeof(wchar_t), L'\0');
    memcpy(&name[0], buffer.data() + sizeof bytes, bytes);
    return name;
}

}  // namespace

bool ViewsShareKey(HKEY hive, const char* subkey)
{
    if (!Is64BitWindows()) return false;
    RegKey native;
    RegKey view32;
    if (native.Open(RootInView(hive, VIEW_NATIVE), subkey, KEY_READ) != ERROR_SUCCESS ||
        view32.Open(RootInView(hive, VIEW_32BIT), subkey, KEY_READ) != ERROR_SUCCESS)
        return false;
    std::wstring a = KernelKeyName(native.get());
    std::wstring b = KernelKeyName(view32.get());
    return !a.empty() && a == b;  // the kernel names one key by one text
}

RegRoot ProgramMachineRoot() { return RootInView(HKEY_LOCAL_MACHINE, VIEW_32BIT); }

void AppendViewMark(RegistryView view, char* out, int capacity)
{
    if (view != VIEW_32BIT) return;
    char mark[32];
    LoadText(IDS_VIEW_32BIT, mark);
    AppendText(out, (size_t)capacity, mark);
}

SystemFolders CurrentSystemFolders()
{
    static const SystemFolders folders = ReadSystemFolders();
    return folders;
}

FileChoice ChooseFilePath(const std::string& path, bool usedBy32Bit, FileUse use, const SystemBits& bits,
                          const SystemFolders& folders)
{
    FileChoice choice;
    choice.path = path;
    std::string rest;
    if (!bits.system64 || folders.sysWow64.empty() || !AfterFolder(path, folders.system, rest)) return choice;
    if (usedBy32Bit) {
        choice.path = folders.sysWow64 + "\\" + rest;
    } else if (bits.program32) {
        // Sysnative is an alias of the 32-bit programs only: a request the system keeps
        // (delete at restart) must name the file as System32.
        if (use == FILE_READ && folders.sysnative)
            choice.path = folders.windows + "\\Sysnative\\" + rest;
        else
            choice.redirectionOff = true;
    }
    return choice;
}

FileChoice ReadableFile(const char* path)
{
    FileChoice choice;
    if (path) choice.path = path;
    // Only the 32-bit build reads through another folder: the 64-bit one sees native files.
    if (!path || !CurrentSystemBits().program32 || !Is64BitWindows()) return choice;
    return ChooseFilePath(path, false, FILE_READ, CurrentSystemBits(), CurrentSystemFolders());
}

std::string FileOfView(const std::string& path, RegistryView view)
{
    if (view != VIEW_32BIT) return path;
    return ChooseFilePath(path, true, FILE_CHANGE, CurrentSystemBits(), CurrentSystemFolders()).path;
}

FileRedirectionOff::FileRedirectionOff(bool off)
{
    typedef BOOL(WINAPI * DisableFn)(PVOID*);
    DisableFn disable = off ? KernelProc<DisableFn>("Wow64DisableWow64FsRedirection") : nullptr;
    off_ = disable && disable(&previous_);
}

FileRedirectionOff::~FileRedirectionOff()
{
    typedef BOOL(WINAPI * RevertFn)(PVOID);
    if (off_) {
        RevertFn revert = KernelProc<RevertFn>("Wow64RevertWow64FsRedirection");
        if (revert) revert(previous_);
    }
}
