// 64-bit Windows: the registry's two views and the system folder each program sees.
// There a 32-bit program reads HKEY_LOCAL_MACHINE\Software (and the classes it registers)
// through WOW64 as the 32-bit view (Wow6432Node), and C:\Windows\System32 as SysWOW64; a
// 64-bit program sees the native ones. Entries carry their view (their kind says it); the
// flags and folders for a view are chosen here, as pure functions of what the system and
// the build are, so that the 32-bit build's choices are tested where only the 64-bit runs.
#pragma once

#include "foundations/handles.h"

#include <windows.h>

#include <string>
#include <vector>

enum RegistryView {
    VIEW_NATIVE = 0,  // the system's own view, the only one of a 32-bit Windows
    VIEW_32BIT = 1,   // the 32-bit view of a 64-bit Windows
};

struct SystemBits {
    bool system64 = false;   // the system is a 64-bit Windows
    bool program32 = false;  // this program is the 32-bit build
};
// This system and build (IsWow64Process is looked up at run time: the 32-bit build must
// start where it does not exist).
SystemBits CurrentSystemBits();
bool Is64BitWindows();

// The flag that opens a key in the view: none on a 32-bit Windows (Windows 2000 refuses
// them and the 95 family knows none), else KEY_WOW64_64KEY or KEY_WOW64_32KEY.
REGSAM ViewFlags(RegistryView view, const SystemBits& bits);
// A root key in a view of this system.
RegRoot RootInView(HKEY hive, RegistryView view);
// The views that have places of their own: the native one, and the 32-bit one on 64-bit Windows.
std::vector<RegistryView> ListedViews();

// True when both views of a 64-bit Windows open the very same key (one the system shares
// between them instead of redirecting): its values are then listed once, in the native view.
// False when either view lacks the key, on a 32-bit Windows, or when the system cannot say.
bool ViewsShareKey(HKEY hive, const char* subkey);

// HKEY_LOCAL_MACHINE as the program's own key lives in it (disabled store, Users, text
// overrides): the 32-bit view, where the 32-bit program has always kept it, so that both
// builds and the monitor share one store.
RegRoot ProgramMachineRoot();

// Appends " (32-bit)" (string IDS_VIEW_32BIT) for the 32-bit view; nothing for the native one.
void AppendViewMark(RegistryView view, char* out, int capacity);

struct SystemFolders {
    std::string windows;     // the Windows folder
    std::string system;      // the system folder as GetSystemDirectory names it ("...\system32")
    std::string sysWow64;    // the 32-bit system folder of a 64-bit Windows; empty elsewhere
    bool sysnative = false;  // "<windows>\Sysnative" reaches the native system folder (a 32-bit
                             // program from Vista on, or XP x64 with its update)
};
SystemFolders CurrentSystemFolders();

enum FileUse {
    FILE_READ,    // version resource, icon, existence
    FILE_CHANGE,  // a request that names the file to the system (delete at restart)
};
struct FileChoice {
    std::string path;
    bool redirectionOff = false;  // the call must be made with file-system redirection off
};
// How this program reaches the file that `path` names for the program that runs or loads
// it (a 32-bit one, or a native one). Only a path in the system folder differs: a 32-bit
// program's is SysWOW64, named so by both builds; a native program's is read by the 32-bit
// build through Sysnative, or with redirection off where there is none or the system keeps
// the name (a change).
FileChoice ChooseFilePath(const std::string& path, bool usedBy32Bit, FileUse use, const SystemBits& bits,
                          const SystemFolders& folders);

// The file that native programs run, as this program reads it (with redirection off where
// the choice says so, FileRedirectionOff).
FileChoice ReadableFile(const char* path);
// The file a program of the view runs or loads, as every program names it: a 32-bit
// add-on's system-folder file is in SysWOW64.
std::string FileOfView(const std::string& path, RegistryView view);

// File-system redirection turned off for the life of the object when `off` (the 32-bit
// build on 64-bit Windows; Wow64DisableWow64FsRedirection looked up at run time).
class FileRedirectionOff {
public:
    explicit FileRedirectionOff(bool off);
    ~FileRedirectionOff();
    FileRedirectionOff(const FileRedirectionOff&) = delete;
    FileRedirectionOff& operator=(const FileRedirectionOff&) = delete;

private:
    bool off_ = false;
    void* previous_ = nullptr;
};
