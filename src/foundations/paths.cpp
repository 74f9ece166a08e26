// Paths of the program's own files and small file helpers (see paths.h).
#include "foundations/paths.h"

#include "foundations/handles.h"
#include "foundations/strings.h"
#include "foundations/text.h"
#include "resource.h"

#include <cstring>

int ProgramDirectory(char* out, int capacity)
{
    if (!out || capacity <= 0) return 0;
    out[0] = '\0';
    char module[480];
    DWORD n = GetModuleFileNameA(nullptr, module, sizeof module);
    if (n == 0 || n >= sizeof module) return 0;
    char* slash = strrchr(module, '\\');
    if (!slash) return 0;
    *slash = '\0';
    if (!FitsText(module, (size_t)capacity)) return 0;
    return (int)CopyText(out, (size_t)capacity, module);
}

void SettingsFilePath(char* out, int capacity)
{
    char name[64];
    if (LoadText(IDS_SETTINGS_FILE, name) == 0) return;
    char path[MAX_PATH];
    int len = ProgramDirectory(path, sizeof path);
    if (len > 3) AppendText(path, "\\");
    AppendText(path, name);
    CopyText(out, (size_t)capacity, path);
}

int FileNameOffset(const char* path)
{
    if (!path) return 0;
    size_t len = strnlen(path, 512);
    int offset = 0;
    for (size_t i = 1; i < len; ++i)
        if (path[i] == '\\') offset = (int)i + 1;
    return offset;
}

int FileNamePart(const char* path, char* out, int capacity)
{
    int offset = FileNameOffset(path);
    if (offset == 0) return 0;
    return (int)CopyText(out, (size_t)capacity, path + offset);
}

int DirectoryPart(const char* path, char* out, int capacity)
{
    if (!path || strlen(path) > 259) return 0;
    const char* slash = strrchr(path, '\\');
    if (!slash) return 0;
    char dir[260];
    size_t len = (size_t)(slash - path);
    memcpy(dir, path, len);
    dir[len] = '\0';
    return (int)CopyText(out, (size_t)capacity, dir);
}

void StripQuotes(const char* text, char* out, int capacity)
{
    if (!out || capacity <= 0) return;
    int len = 0;
    int limit = capacity - 1 < 511 ? capacity - 1 : 511;
    for (const char* p = text ? text : ""; *p && len < limit; ++p)
        if (*p != '"') out[len++] = *p;
    out[len] = '\0';
}

void ColonForEquals(const char* text, char* out, int capacity)
{
    size_t len = CopyText(out, (size_t)capacity, text);
    for (size_t i = 0; i < len; ++i)
        if (out[i] == '=') out[i] = ':';
}

void AddBackslash(char* path, int capacity)
{
    size_t len = strlen(path);
    if (len == 0 || path[len - 1] != '\\') AppendText(path, (size_t)capacity, "\\");
}

void RemoveBackslash(char* path, int keepRoot)
{
    size_t len = strlen(path);
    if (len == 0 || path[len - 1] != '\\') return;
    if (keepRoot && len >= 2 && path[len - 2] == ':') return;
    path[len - 1] = '\0';
}

bool ForceDeleteFile(const char* path)
{
    SetFileAttributesA(path, FILE_ATTRIBUTE_NORMAL);
    return DeleteFileA(path) != 0;
}

bool FileExists(const char* path)
{
    if (!path || !*path) return false;
    DWORD attributes = GetFileAttributesA(path);
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

int FindProgramFile(char* name, int capacity)
{
    if (!name || !*name) return 0;
    // Existence by attributes: asking for the short name searches every folder on the way,
    // which is slow in a large system folder.
    if (FileExists(name)) return 1;
    if (strlen(name) >= 32) return 0;

    char candidate[MAX_PATH];
    GetWindowsDirectoryA(candidate, sizeof candidate);
    AddBackslash(candidate, sizeof candidate);
    AppendText(candidate, name);
    if (FileExists(candidate)) return 1;

    GetSystemDirectoryA(candidate, sizeof candidate);
    AddBackslash(candidate, sizeof candidate);
    AppendText(candidate, name);
    char shortPath[MAX_PATH];
    DWORD n = FileExists(candidate) ? GetShortPathNameA(candidate, shortPath, sizeof shortPath) : 0;
    if (n == 0 || n >= sizeof shortPath) return 0;
    CopyText(name, (size_t)capacity, shortPath);
    return 1;
}

char* LoadTextFile(const char* name, DWORD* size)
{
    if (!name || !size) return nullptr;
    ScopedHandle file(CreateFileA(name, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                                  FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.valid()) return nullptr;

    DWORD wanted = *size;
    ScopedGlobal raw(GlobalAlloc(GPTR, (SIZE_T)wanted + 32));
    if (!raw.get()) return nullptr;
    char* bytes = static_cast<char*>(raw.get());
    DWORD got = 0;
    if (!ReadFile(file.get(), bytes, wanted, &got, nullptr) || got == 0) return nullptr;

    // Every line feed gets a carriage return before it, also one that already has one:
    // readers of this text expect "\r\r\n" for a file written with CR LF.
    char* text = static_cast<char*>(GlobalAlloc(GPTR, (SIZE_T)got * 2 + 2));
    if (!text) return nullptr;
    DWORD len = 0;
    for (DWORD i = 0; i < got; ++i) {
        if (bytes[i] == '\n') text[len++] = '\r';
        text[len++] = bytes[i];
    }
    text[len] = '\0';
    *size = len > 0 ? len - 1 : 0;
    return text;
}

bool ReadFileBytes(const char* path, std::string& bytes)
{
    bytes.clear();
    ScopedHandle file(CreateFileA(path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                                  FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.valid()) return false;
    char buffer[8192];
    DWORD got = 0;
    for (;;) {
        if (!ReadFile(file.get(), buffer, sizeof buffer, &got, nullptr)) {
            bytes.clear();
            return false;
        }
        if (got == 0) return true;
        bytes.append(buffer, got);
    }
}

bool ReplaceFileBytes(const char* path, const std::string& bytes)
{
    std::string fresh = std::string(path) + ".new";
    {
        ScopedHandle file(CreateFileA(fresh.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL,
                                      nullptr));
        DWORD written = 0;
        if (!file.valid() || !WriteFile(file.get(), bytes.data(), (DWORD)bytes.size(), &written, nullptr) ||
            written != bytes.size()) {
            file.Reset(nullptr);
            DeleteFileA(fresh.c_str());
            return false;
        }
    }
    DWORD attributes = GetFileAttributesA(path);
    if (attributes != INVALID_FILE_ATTRIBUTES) SetFileAttributesA(path, attributes & ~FILE_ATTRIBUTE_READONLY);
    bool moved = MoveFileExA(fresh.c_str(), path, MOVEFILE_REPLACE_EXISTING) ||
                 ((DeleteFileA(path) || GetFileAttributesA(path) == INVALID_FILE_ATTRIBUTES) &&
                  MoveFileA(fresh.c_str(), path));
    if (attributes != INVALID_FILE_ATTRIBUTES) SetFileAttributesA(path, attributes);
    if (!moved) DeleteFileA(fresh.c_str());
    return moved;
}

void FreeTextFile(char* text)
{
    if (text) GlobalFree(text);
}

void UnixTimeToLocal(DWORD seconds, SYSTEMTIME* out)
{
    ULARGE_INTEGER ticks;
    ticks.QuadPart = ((ULONGLONG)seconds + 11644473600ULL) * 10000000ULL;
    FILETIME utc = {ticks.LowPart, ticks.HighPart};
    FILETIME local;
    FileTimeToLocalFileTime(&utc, &local);
    FileTimeToSystemTime(&local, out);
}

int EscapeSpaces(const char* text, char* out, int capacity)
{
    if (!out || capacity <= 0) return 0;
    int len = 0;
    for (const char* p = text ? text : ""; *p; ++p) {
        int need = *p == ' ' ? 3 : 1;
        if (len + need > capacity - 1) break;
        if (*p == ' ') {
            memcpy(out + len, "%20", 3);
        } else {
            out[len] = *p;
        }
        len += need;
    }
    out[len] = '\0';
    return len;
}
