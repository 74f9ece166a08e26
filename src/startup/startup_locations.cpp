// Startup locations by kind (see startup_locations.h).
#include "startup/startup_locations.h"

#include "foundations/entries.h"
#include "foundations/paths.h"
#include "foundations/registry.h"
#include "foundations/text.h"

#include <cstring>

bool IsRunKind(int kind) { return IsOwnRunKind(kind) || IsOtherUserKind(kind); }

bool IsOwnRunKind(int kind)
{
    int base = BaseKind(kind);
    return (base >= KIND_MACHINE_RUN && base <= KIND_MACHINE_POLICIES_RUN) ||
           (kind >= KIND_CURRENT_RUN && kind <= KIND_CURRENT_POLICIES_RUN);
}

bool IsOtherUserKind(int kind) { return kind >= KIND_USERS_RUN && kind <= KIND_USERS_RUNSERVICESONCE; }

bool IsWinIniKind(int kind) { return kind == KIND_WIN_LOAD || kind == KIND_WIN_RUN; }

HKEY RunKindHive(int kind)
{
    int base = BaseKind(kind);
    if (base >= KIND_MACHINE_RUN && base <= KIND_MACHINE_POLICIES_RUN) return HKEY_LOCAL_MACHINE;
    if (kind >= KIND_CURRENT_RUN && kind <= KIND_CURRENT_POLICIES_RUN) return HKEY_CURRENT_USER;
    if (IsOtherUserKind(kind)) return HKEY_USERS;
    return nullptr;
}

RegRoot RunKindRoot(int kind)
{
    HKEY hive = RunKindHive(kind);
    return hive == HKEY_LOCAL_MACHINE ? RootInView(hive, KindView(kind)) : RegRoot(hive);
}

const char* RunKeyName(int kind)
{
    static const char* const kNames[] = {"Run",         "RunOnce",         "RunOnceEx",
                                         "RunServices", "RunServicesOnce", "Policies\\Explorer\\Run"};
    if (!IsRunKind(kind)) return nullptr;
    return kNames[(kind % 10) - 1];
}

bool RunKeyPath(int kind, char* out, int capacity)
{
    const char* name = RunKeyName(kind);
    if (!name) return false;
    FormatText(out, (size_t)capacity, "%s\\%s", WINDOWS_CURRENT_VERSION_KEY, name);
    return true;
}

const char* WinIniLineName(int kind)
{
    if (kind == KIND_WIN_LOAD) return "load";
    if (kind == KIND_WIN_RUN) return "run";
    return nullptr;
}

int ShellFolder(HKEY hive, const char* valueName, char* out, int capacity)
{
    return ReadRegString(hive, WINDOWS_CURRENT_VERSION_KEY "\\Explorer\\Shell Folders", valueName, out, capacity);
}

namespace {

bool IsFullPath(const char* path)
{
    bool drive = ((path[0] >= 'A' && path[0] <= 'Z') || (path[0] >= 'a' && path[0] <= 'z')) && path[1] == ':' &&
                 path[2] == '\\';
    return drive || (path[0] == '\\' && path[1] == '\\');
}

bool HasDotPart(const char* path)
{
    for (const char* part = path; part; part = strchr(part, '\\')) {
        if (*part == '\\') ++part;
        if (part[0] == '.' && (part[1] == '\0' || part[1] == '\\' || (part[1] == '.' && (part[2] == '\0' || part[2] == '\\'))))
            return true;
    }
    return false;
}

}  // namespace

bool PathInsideFolder(const char* path, const char* folder)
{
    if (!path || !folder || !*folder || !IsFullPath(path) || HasDotPart(path)) return false;
    char directory[MAX_PATH];
    char longDirectory[MAX_PATH];
    char longFolder[MAX_PATH];
    if (DirectoryPart(path, directory, sizeof directory) == 0) return false;
    LongPathForm(directory, longDirectory, sizeof longDirectory);
    LongPathForm(folder, longFolder, sizeof longFolder);
    RemoveBackslash(longDirectory, 1);
    RemoveBackslash(longFolder, 1);
    size_t length = strlen(longFolder);
    return strlen(longDirectory) >= length &&
           CompareStringA(LOCALE_SYSTEM_DEFAULT, NORM_IGNORECASE, longDirectory, (int)length, longFolder, (int)length) ==
               CSTR_EQUAL &&
           (longDirectory[length] == '\0' || longDirectory[length] == '\\');
}

bool InStartupFolder(const char* path)
{
    for (HKEY hive : {HKEY_LOCAL_MACHINE, HKEY_CURRENT_USER, HKEY_USERS}) {
        for (const char* name : {"Startup", "Common Startup"}) {
            char folder[MAX_PATH];
            if (ShellFolder(hive, name, folder, sizeof folder) > 0 && PathInsideFolder(path, folder)) return true;
        }
    }
    return false;
}

std::string DisplayCommand(const std::string& command)
{
    std::string text;
    for (char c : command)
        if (c != '"') text += c;
    if (text.size() > (size_t)ENTRY_PATH_CHARS - 1) text.resize(ENTRY_PATH_CHARS - 1);
    return text;
}

std::string StoredCommandForm(const std::string& command)
{
    std::string text = DisplayCommand(command);
    if (text.size() <= 3) return text;
    char longForm[ENTRY_PATH_CHARS];
    LongPathForm(text.c_str(), longForm, sizeof longForm);
    return longForm;
}

std::string DisplayTitle(const std::string& title)
{
    if (title.size() <= (size_t)ENTRY_TITLE_CHARS - 1) return title;
    return title.substr(0, ENTRY_TITLE_CHARS - 1);
}

size_t FindNoCase(const std::string& text, const char* word)
{
    size_t wordLen = strlen(word);
    if (wordLen == 0 || wordLen > text.size()) return std::string::npos;
    for (size_t i = 0; i + wordLen <= text.size(); ++i)
        if (CompareStringA(LOCALE_SYSTEM_DEFAULT, NORM_IGNORECASE, text.data() + i, (int)wordLen, word, (int)wordLen) ==
            CSTR_EQUAL)
            return i;
    return std::string::npos;
}

bool HasExtension(const char* path, const char* extension)
{
    size_t len = strlen(path);
    size_t extLen = strlen(extension);
    return len >= extLen && SameText(path + len - extLen, extension);
}
