// Helpers every test program shares (see testing.h).
#include "support/testing.h"

#include "foundations/entries.h"
#include "foundations/handles.h"
#include "foundations/registry_tree.h"
#include "history/history.h"

#include <shlwapi.h>

#include <algorithm>
#include <fstream>
#include <sstream>

std::string ThisProgram()
{
    char path[MAX_PATH];
    return std::string(path, GetModuleFileNameA(nullptr, path, sizeof path));
}

std::string BesideTestProgram(const char* name)
{
    std::string path = ThisProgram();
    return path.substr(0, path.find_last_of('\\') + 1) + name;
}

std::string TempPath(const std::string& name)
{
    char folder[MAX_PATH];
    return std::string(folder, GetTempPathA(sizeof folder, folder)) + name;
}

void DeleteRegTree(HKEY hive, const std::string& subkey) { SHDeleteKeyA(hive, subkey.c_str()); }

bool PutRegString(HKEY hive, const std::string& subkey, const char* name, const std::string& text, DWORD type)
{
    return CreateRegKey(hive, subkey.c_str()) &&
           WriteRegRaw(hive, subkey.c_str(), name, std::string(text.c_str(), text.size() + 1), type);
}

std::string GetRegString(HKEY hive, const std::string& subkey, const char* name)
{
    std::string data;
    DWORD type = 0;
    return ReadRegRaw(hive, subkey.c_str(), name, data, &type) ? data.c_str() : "<missing>";
}

std::string DumpRegTree(HKEY hive, const std::string& subkey)
{
    std::vector<RegValue> values;
    if (!ReadRegValues(hive, subkey.c_str(), values)) return "<missing>";
    std::sort(values.begin(), values.end(), [](const RegValue& a, const RegValue& b) { return a.name < b.name; });
    std::string text = "[" + subkey.substr(subkey.find_last_of('\\') + 1) + "]\n";
    for (const RegValue& value : values) {
        text += value.name + " " + std::to_string(value.type) + " ";
        for (unsigned char byte : value.data) text += std::string(1, "0123456789abcdef"[byte >> 4]) + "0123456789abcdef"[byte & 15];
        text += "\n";
    }
    std::vector<std::string> names;
    RegSubkeyNames(hive, subkey.c_str(), names);
    std::sort(names.begin(), names.end());
    for (const std::string& name : names) text += DumpRegTree(hive, subkey + "\\" + name);
    return text;
}

bool WriteWholeFile(const std::string& path, const std::string& bytes)
{
    std::ofstream file(path, std::ios::binary);
    return file && file.write(bytes.data(), bytes.size());
}

std::string ReadWholeFile(const std::string& path)
{
    std::ostringstream bytes;
    bytes << std::ifstream(path, std::ios::binary).rdbuf();
    return bytes.str();
}

bool Exists(const std::string& path) { return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

std::string HistoryFile()
{
    char path[MAX_PATH];
    HistoryFilePath(path, sizeof path);
    return path;
}

int FindEntryIndex(const std::string& title, const std::string& path)
{
    for (int index = 0; index < EntryCount(); ++index) {
        char text[ENTRY_TITLE_CHARS], command[ENTRY_PATH_CHARS];
        GetEntryTitle(index, text);
        GetEntryPath(index, command);
        if ((title.empty() || lstrcmpiA(text, title.c_str()) == 0) &&
            (path.empty() || lstrcmpiA(command, path.c_str()) == 0))
            return index;
    }
    return -1;
}

int RunAndWait(const std::string& commandLine, DWORD timeoutMs)
{
    std::string line = commandLine;
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process = {};
    if (!CreateProcessA(nullptr, &line[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process)) return -1;
    DWORD code = (DWORD)-1;
    if (WaitForSingleObject(process.hProcess, timeoutMs) == WAIT_OBJECT_0) GetExitCodeProcess(process.hProcess, &code);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return (int)code;
}

int CloseWindowsOfClass(const char* className, UINT message, WPARAM wParam, DWORD timeoutMs)
{
    int ended = 0;
    HWND window;
    for (int tries = 0; tries < 20 && (window = FindWindowA(className, nullptr)) != nullptr; ++tries) {
        DWORD id = 0;
        GetWindowThreadProcessId(window, &id);
        ScopedHandle process(OpenProcess(SYNCHRONIZE | PROCESS_TERMINATE, FALSE, id));
        PostMessageA(window, message, wParam, 0);
        if (!process.valid()) continue;
        if (WaitForSingleObject(process.get(), timeoutMs) == WAIT_OBJECT_0)
            ++ended;
        else
            TerminateProcess(process.get(), 99);
        WaitForSingleObject(process.get(), 5000);
    }
    return ended;
}

SavedKey::SavedKey(HKEY hive, std::string subkey) : hive_(hive), subkey_(std::move(subkey))
{
    for (size_t end = 0; end != std::string::npos && made_.empty();) {
        end = subkey_.find('\\', end + 1);
        if (!RegKeyExists(hive, subkey_.substr(0, end).c_str())) made_ = subkey_.substr(0, end);
    }
    ReadRegValues(hive, subkey_.c_str(), values_);
    CreateRegKey(hive, subkey_.c_str());
}

void SavedKey::Clear() const
{
    std::vector<RegValue> now;
    ReadRegValues(hive_, subkey_.c_str(), now);
    for (const RegValue& value : now) DeleteRegValue(hive_, subkey_.c_str(), value.name.c_str());
}

SavedKey::~SavedKey()
{
    Clear();
    for (const RegValue& value : values_)
        WriteRegRaw(hive_, subkey_.c_str(), value.name.c_str(), value.data, value.type);
    if (!made_.empty()) DeleteRegTree(hive_, made_);
}

SavedTree::SavedTree(HKEY hive, std::string subkey)
    : hive_(hive), subkey_(std::move(subkey)), existed_(RegKeyExists(hive, subkey_.c_str()))
{
    static int copies = 0;
    copy_ = "Software\\VigilarkTestCopies\\" + std::to_string(GetCurrentProcessId()) + "-" + std::to_string(++copies);
    if (existed_) CopyRegistryTree(hive_, subkey_.c_str(), HKEY_CURRENT_USER, copy_.c_str());
}

SavedTree::~SavedTree()
{
    DeleteRegTree(hive_, subkey_);
    if (existed_) CopyRegistryTree(HKEY_CURRENT_USER, copy_.c_str(), hive_, subkey_.c_str());
    DeleteRegTree(HKEY_CURRENT_USER, copy_);
}

namespace {

struct WindowSearch {
    const char* className;
    DWORD processId, threadId;
    HWND except, found;
};

BOOL CALLBACK MatchWindow(HWND window, LPARAM data)
{
    WindowSearch& search = *reinterpret_cast<WindowSearch*>(data);
    DWORD process = 0, thread = GetWindowThreadProcessId(window, &process);
    char name[64] = "";
    GetClassNameA(window, name, sizeof name);
    bool owner = search.processId ? process == search.processId : thread == search.threadId;
    if (!owner || window == search.except || !IsWindowVisible(window) || strcmp(name, search.className) != 0)
        return TRUE;
    search.found = window;
    return FALSE;
}

}  // namespace

HWND FindVisibleWindow(const char* className, DWORD processId, DWORD threadId, HWND except)
{
    WindowSearch search = {className, processId, threadId, except, nullptr};
    EnumWindows(MatchWindow, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

std::vector<std::string> Split(const std::string& text, const std::string& separator)
{
    std::vector<std::string> pieces;
    size_t start = 0;
    for (size_t end; (end = text.find(separator, start)) != std::string::npos; start = end + separator.size())
        pieces.push_back(text.substr(start, end - start));
    pieces.push_back(text.substr(start));
    return pieces;
}
