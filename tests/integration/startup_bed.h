// The places the startup tests change: Run keys, win.ini lines, Startup folders, the console's state.
#pragma once

#include "app/start.h"
#include "foundations/entries.h"
#include "foundations/paths.h"
#include "foundations/winini.h"
#include "history/history.h"
#include "startup/disabled_store.h"
#include "startup/startup_actions.h"
#include "startup/startup_locations.h"
#include "startup/startup_scan.h"
#include "support/testing.h"
#include "support/views.h"

#include <gtest/gtest.h>
#include <objbase.h>
#include <shellapi.h>
#include <shlobj.h>

#include <deque>
#include <string>
#include <vector>

namespace bed {

const char* const kKnownPrograms = VIGILARK_KEY "\\Run";

inline std::string RunKey(int kind)
{
    char subkey[MAX_PATH] = "";
    RunKeyPath(kind, subkey, sizeof subkey);
    return subkey;
}
inline bool SetRun(int kind, const std::string& name, const std::string& command, DWORD type = REG_SZ)
{
    return PutRegString(RunKindHive(kind), RunKey(kind), name.c_str(), command, type);
}
inline std::string RunText(int kind, const std::string& name) { return GetRegString(RunKindHive(kind), RunKey(kind), name.c_str()); }
inline std::string Stored(const char* subkey, const std::string& name) { return GetRegString(HKEY_LOCAL_MACHINE, In32BitView(subkey), name.c_str()); }
inline std::string Known(const std::string& name) { return GetRegString(HKEY_CURRENT_USER, kKnownPrograms, name.c_str()); }

inline std::string ProgramFolder(const char* name)
{
    char directory[MAX_PATH];
    ProgramDirectory(directory, sizeof directory);
    return std::string(directory) + "\\" + name;
}

inline std::vector<std::string> HistoryLines()
{
    std::vector<std::string> lines = Split(ReadWholeFile(HistoryFile()), "\n");
    lines.pop_back();  // what follows the last line end
    return lines;
}

struct Listed { int index = -1; std::string title, path, extra; int kind = 0; };

// Collects afresh the entries of a title (any case; all for "") and of a command when given.
inline std::vector<Listed> Entries(const std::string& title, const std::string& path = "")
{
    std::vector<Listed> found;
    for (int i = 0, count = CollectStartupEntries(); i < count; ++i) {
        char text[ENTRY_TITLE_CHARS] = "", command[ENTRY_PATH_CHARS] = "", extra[ENTRY_EXTRA_CHARS] = "";
        GetEntryTitle(i, text);
        GetEntryPath(i, command);
        GetEntryExtra(i, extra);
        if ((title.empty() || lstrcmpiA(text, title.c_str()) == 0) && (path.empty() || path == command))
            found.push_back(Listed{i, text, command, extra, GetEntryKind(i)});
    }
    return found;
}

// The one entry of a title (and command); index -1 when there is not exactly one.
inline Listed One(const std::string& title, const std::string& path = "")
{
    std::vector<Listed> found = Entries(title, path);
    EXPECT_EQ(1u, found.size()) << title << " " << path;
    return found.size() == 1 ? found[0] : Listed();
}

inline StartupResult Toggle(const Listed& e) { return ToggleStartupEntry(e.title.c_str(), e.path.c_str(), e.extra.c_str(), e.kind); }
inline StartupResult Remove(const Listed& e) { return RemoveStartupEntry(e.title.c_str(), e.path.c_str(), e.extra.c_str(), e.kind); }

inline std::string StartupFolder(HKEY hive, const char* value)
{
    char folder[MAX_PATH] = "";
    ShellFolder(hive, value, folder, sizeof folder);
    SHCreateDirectoryExA(nullptr, folder, nullptr);
    return folder;
}

inline std::string LocationOf(int index)
{
    char text[512] = "";
    StartupLocationText(index, text, sizeof text);
    return text;
}

inline void DeleteFiles(const std::string& folder, bool itself = false)
{
    std::string from = folder + (itself ? "" : "\\*") + '\0';  // a list ending in two NULs
    SHFILEOPSTRUCTA operation = {};
    operation.wFunc = FO_DELETE;
    operation.pFrom = from.c_str();
    operation.fFlags = FOF_NOCONFIRMATION | FOF_NOERRORUI | FOF_SILENT;
    if (Exists(folder)) SHFileOperationA(&operation);
}

// Every location starts empty; the Run keys and win.ini lines are put back after.
class StartupBed : public ::testing::Test {
protected:
    void SetUp() override
    {
        CoInitialize(nullptr);
        InstallSubjectTables();
        for (int kind : {1, 2, 3, 4, 5, 11, 12, 13, 14, 15, 21, 22, 23, 24, 25})
            runKeys_.emplace_back(RunKindHive(kind), RunKey(kind)).Clear();
        WriteProfileStringA("windows", "run", "");
        WriteProfileStringA("windows", "load", "");
        ResetProgramState();
    }
    void TearDown() override
    {
        WriteProfileStringA("windows", "run", runLine_.c_str());
        WriteProfileStringA("windows", "load", loadLine_.c_str());
        ResetProgramState();
        CoUninitialize();
    }
    void ResetProgramState()
    {
        DeleteFiles(userStartup);
        DeleteFiles(commonStartup);
        DeleteRegTree(HKEY_LOCAL_MACHINE, In32BitView(DISABLED_STORE_KEY));
        DeleteRegTree(HKEY_CURRENT_USER, kKnownPrograms);
        DeleteFiles(ProgramFolder("Disabled"), true);
        DeleteFiles(ProgramFolder("Removed"), true);
        SetFileAttributesA(HistoryFile().c_str(), FILE_ATTRIBUTE_NORMAL);
        DeleteFileA(HistoryFile().c_str());
    }

    const std::string userStartup = StartupFolder(HKEY_CURRENT_USER, "Startup");
    const std::string commonStartup = StartupFolder(HKEY_LOCAL_MACHINE, "Common Startup");

private:
    std::deque<SavedKey> runKeys_;
    const std::string runLine_ = ReadWinIniLine("run"), loadLine_ = ReadWinIniLine("load");
};

}  // namespace bed
