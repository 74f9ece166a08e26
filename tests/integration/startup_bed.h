// The places the startup tests change, saved before each test and put back after it:
// the fifteen Run keys, the win.ini program lines, the Startup folders, the disabled
// store, the folders "Disabled" and "Removed", the known-programs list and history.txt.
#pragma once

#include "app/start.h"
#include "foundations/entries.h"
#include "foundations/paths.h"
#include "foundations/registry.h"
#include "foundations/winini.h"
#include "history/history.h"
#include "startup/disabled_store.h"
#include "startup/startup_locations.h"
#include "startup/startup_scan.h"
#include "support/scratch_registry.h"
#include "support/testing.h"

#include <gtest/gtest.h>
#include <objbase.h>
#include <shlobj.h>
#include <windows.h>

#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace bed {

const char* const kKnownProgramsKey = VIGILARK_KEY "\\Run";
const char* const kUsersSoftware = "Software";

inline std::string RunKey(int kind)
{
    char subkey[MAX_PATH];
    RunKeyPath(kind, subkey, sizeof subkey);
    return subkey;
}

inline void SetValue(HKEY hive, const std::string& subkey, const std::string& name, const std::string& text,
                     DWORD type = REG_SZ)
{
    HKEY key = nullptr;
    ASSERT_EQ(ERROR_SUCCESS, RegCreateKeyA(hive, subkey.c_str(), &key));
    RegSetValueExA(key, name.c_str(), 0, type, reinterpret_cast<const BYTE*>(text.c_str()), (DWORD)text.size() + 1);
    RegCloseKey(key);
}

inline void SetRun(int kind, const std::string& name, const std::string& command, DWORD type = REG_SZ)
{
    SetValue(RunKindHive(kind), RunKey(kind), name, command, type);
}

// The bytes and type of a value; empty data and type 0 when it is missing.
struct Raw {
    std::string data;
    DWORD type = 0;
    bool exists = false;
};

inline Raw ReadRaw(HKEY hive, const std::string& subkey, const std::string& name)
{
    Raw raw;
    raw.exists = ReadRegRaw(hive, subkey.c_str(), name.c_str(), raw.data, &raw.type);
    return raw;
}

inline Raw RunValue(int kind, const std::string& name) { return ReadRaw(RunKindHive(kind), RunKey(kind), name); }

inline std::string Text(const Raw& raw) { return raw.data.c_str(); }

inline std::string ProgramFolder(const char* name)
{
    char directory[MAX_PATH];
    ProgramDirectory(directory, sizeof directory);
    return std::string(directory) + "\\" + name;
}

inline void DeleteFolder(const std::string& folder)
{
    std::string from = folder;
    from.push_back('\0');  // SHFileOperation takes a list ending in two NULs
    SHFILEOPSTRUCTA operation = {};
    operation.wFunc = FO_DELETE;
    operation.pFrom = from.c_str();
    operation.fFlags = FOF_NOCONFIRMATION | FOF_NOERRORUI | FOF_SILENT;
    if (GetFileAttributesA(folder.c_str()) != INVALID_FILE_ATTRIBUTES) SHFileOperationA(&operation);
}

inline void PutFile(const std::string& path, const std::string& content)
{
    std::ofstream out(path, std::ios::binary);
    out << content;
}

inline std::string FileText(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

inline bool Exists(const std::string& path) { return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

inline std::string HistoryFile()
{
    char path[MAX_PATH];
    HistoryFilePath(path, sizeof path);
    return path;
}

inline std::vector<std::string> HistoryLines()
{
    std::vector<std::string> lines;
    std::istringstream text(FileText(HistoryFile()));
    std::string line;
    while (std::getline(text, line)) lines.push_back(line);
    return lines;
}

inline std::string StartupFolder(HKEY hive, const char* value)
{
    char folder[MAX_PATH];
    if (ShellFolder(hive, value, folder, sizeof folder) == 0) return std::string();
    SHCreateDirectoryExA(nullptr, folder, nullptr);
    return folder;
}

inline std::string ThisProgram()
{
    char path[MAX_PATH];
    GetModuleFileNameA(nullptr, path, sizeof path);
    return path;
}

inline std::string TempFolder()
{
    char path[MAX_PATH];
    GetTempPathA(sizeof path, path);
    std::string folder = path;
    if (!folder.empty() && folder.back() == '\\') folder.pop_back();
    return folder;
}

// The files of a folder and its sub-folders (names relative to it).
inline void ListFiles(const std::string& folder, const std::string& prefix, std::vector<std::string>& files)
{
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((folder + "\\*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return;
    do {
        std::string name = found.cFileName;
        if (name == "." || name == "..") continue;
        files.push_back(prefix + name);  // a folder before its files, so removal can go backwards
        if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
            ListFiles(folder + "\\" + name, prefix + name + "\\", files);
    } while (FindNextFileA(search, &found));
    FindClose(search);
}

// One collected entry, with the index it had in the entry list.
struct Listed {
    int index;
    std::string title;
    std::string path;
    std::string extra;
    int kind;
    int value;
};

inline std::vector<Listed> Collect()
{
    std::vector<Listed> entries;
    int count = CollectStartupEntries();
    for (int i = 0; i < count; ++i) {
        char title[ENTRY_TITLE_CHARS], path[ENTRY_PATH_CHARS], extra[ENTRY_EXTRA_CHARS];
        title[0] = path[0] = extra[0] = '\0';
        GetEntryTitle(i, title);
        GetEntryPath(i, path);
        GetEntryExtra(i, extra);
        entries.push_back(Listed{i, title, path, extra, GetEntryKind(i), GetEntryValue(i)});
    }
    return entries;
}

// The entries of a title (any case).
inline std::vector<Listed> WithTitle(const std::vector<Listed>& entries, const std::string& title)
{
    std::vector<Listed> found;
    for (const Listed& entry : entries)
        if (lstrcmpiA(entry.title.c_str(), title.c_str()) == 0) found.push_back(entry);
    return found;
}

inline std::string LocationOf(int index)
{
    char text[512];
    StartupLocationText(index, text, sizeof text);
    return text;
}

// Saves every value of a key and puts exactly those back.
class KeySnapshot {
public:
    KeySnapshot(HKEY hive, std::string subkey) : hive_(hive), subkey_(std::move(subkey))
    {
        existed_ = ReadRegValues(hive_, subkey_.c_str(), values_);
    }
    void Clear() const
    {
        std::vector<RegValue> now;
        ReadRegValues(hive_, subkey_.c_str(), now);
        for (const RegValue& value : now) DeleteRegValue(hive_, subkey_.c_str(), value.name.c_str());
    }
    void Restore() const
    {
        Clear();
        if (!existed_) {
            RegDeleteKeyA(hive_, subkey_.c_str());  // made by the test: the empty key goes too
            return;
        }
        CreateRegKey(hive_, subkey_.c_str());
        for (const RegValue& value : values_)
            WriteRegRaw(hive_, subkey_.c_str(), value.name.c_str(), value.data, value.type);
    }

private:
    HKEY hive_;
    std::string subkey_;
    bool existed_ = false;
    std::vector<RegValue> values_;
};

// Saves the files of a folder and removes every file added since.
class FolderSnapshot {
public:
    explicit FolderSnapshot(std::string folder) : folder_(std::move(folder))
    {
        if (!folder_.empty()) ListFiles(folder_, "", files_);
    }
    void Restore() const
    {
        if (folder_.empty()) return;
        std::vector<std::string> now;
        ListFiles(folder_, "", now);
        for (auto it = now.rbegin(); it != now.rend(); ++it) {
            bool old = false;
            for (const std::string& file : files_) old = old || file == *it;
            if (old) continue;
            std::string path = folder_ + "\\" + *it;
            SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
            if (!DeleteFileA(path.c_str())) RemoveDirectoryA(path.c_str());
        }
    }

private:
    std::string folder_;
    std::vector<std::string> files_;
};

// The fixture of every startup test: all locations start empty and are put back after.
class StartupBed : public ::testing::Test {
protected:
    void SetUp() override
    {
        CoInitialize(nullptr);
        InstallSubjectTables();
        usersSoftwareExisted_ = RegValueOrKeyExists(HKEY_USERS, kUsersSoftware);
        for (int base : {0, 10, 20})
            for (int n = 1; n <= 5; ++n) runKeys_.emplace_back(RunKindHive(base + n), RunKey(base + n));
        for (const KeySnapshot& key : runKeys_) key.Clear();
        runLine_ = ReadWinIniLine("run");
        loadLine_ = ReadWinIniLine("load");
        WriteProfileStringA("windows", "run", "");
        WriteProfileStringA("windows", "load", "");
        userStartup = StartupFolder(HKEY_CURRENT_USER, "Startup");
        commonStartup = StartupFolder(HKEY_LOCAL_MACHINE, "Common Startup");
        folders_.emplace_back(userStartup);
        folders_.emplace_back(commonStartup);
        ResetProgramState();
    }

    void TearDown() override
    {
        for (const KeySnapshot& key : runKeys_) key.Restore();
        if (!usersSoftwareExisted_) DeleteRegTree(HKEY_USERS, kUsersSoftware);
        WriteProfileStringA("windows", "run", runLine_.c_str());
        WriteProfileStringA("windows", "load", loadLine_.c_str());
        for (const FolderSnapshot& folder : folders_) folder.Restore();
        ResetProgramState();
        CoUninitialize();
    }

    // The console's own state: the disabled store, its folders, the known-programs list
    // and the history file.
    static void ResetProgramState()
    {
        DeleteRegTree(HKEY_LOCAL_MACHINE, DISABLED_STORE_KEY);
        DeleteRegTree(HKEY_CURRENT_USER, kKnownProgramsKey);
        DeleteFolder(ProgramFolder("Disabled"));
        DeleteFolder(ProgramFolder("Removed"));
        SetFileAttributesA(HistoryFile().c_str(), FILE_ATTRIBUTE_NORMAL);
        DeleteFileA(HistoryFile().c_str());
    }

    static bool RegValueOrKeyExists(HKEY hive, const char* subkey)
    {
        HKEY key = nullptr;
        if (RegOpenKeyExA(hive, subkey, 0, KEY_READ, &key) != ERROR_SUCCESS) return false;
        RegCloseKey(key);
        return true;
    }

    std::string userStartup;
    std::string commonStartup;

private:
    std::vector<KeySnapshot> runKeys_;
    std::vector<FolderSnapshot> folders_;
    std::string runLine_;
    std::string loadLine_;
    bool usersSoftwareExisted_ = false;
};

}  // namespace bed
