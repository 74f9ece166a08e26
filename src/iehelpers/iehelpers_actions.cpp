// Removing Internet Explorer add-ons and their undo (see iehelpers_actions.h).
#include "iehelpers/iehelpers_actions.h"

#include "foundations/entries.h"
#include "foundations/handles.h"
#include "foundations/paths.h"
#include "foundations/registry.h"
#include "foundations/registry_tree.h"
#include "foundations/strings.h"
#include "foundations/text.h"
#include "history/history.h"
#include "iehelpers/iehelpers.h"

#include <windows.h>
#include <cstdlib>
#include <cstring>

namespace {

// regsvr32 /s shows nothing; a server that hangs in its registration is not waited for longer.
const DWORD kRegsvr32WaitMs = 15000;

// Where one add-on is registered.
struct Registration {
    std::string key;    // under HKEY_LOCAL_MACHINE
    std::string value;  // a toolbar's value name; empty for a key
    bool isValue = false;
};

bool RegistrationOf(const EntryCopy& entry, Registration& out)
{
    const char* location = IeHelperRegistryKey(entry.kind);
    if (!location || !entry.extra[0]) return false;
    out = Registration();
    out.key = location;
    if (entry.kind == KIND_TYPE_TOOLBAR) {
        out.value = entry.extra;
        out.isValue = true;
    } else {
        out.key += "\\";
        out.key += entry.extra;
    }
    return true;
}

bool RegistrationExists(const Registration& registration)
{
    return registration.isValue ? RegValueExists(HKEY_LOCAL_MACHINE, registration.key.c_str(), registration.value.c_str())
                                : RegKeyExists(HKEY_LOCAL_MACHINE, registration.key.c_str());
}

int DeleteRegistration(const Registration& registration)
{
    if (registration.isValue)
        return DeleteRegValue(HKEY_LOCAL_MACHINE, registration.key.c_str(), registration.value.c_str());
    return DeleteRegistryTree(HKEY_LOCAL_MACHINE, registration.key.c_str());
}

std::string SavedCopyKey(const std::string& serial) { return std::string(IE_REMOVED_KEY "\\") + serial; }
std::string SavedRegistrationKey(const std::string& serial) { return SavedCopyKey(serial) + "\\Registration"; }

std::vector<std::string> SavedSerials()
{
    std::vector<std::string> serials;
    RegSubkeyNames(HKEY_CURRENT_USER, IE_REMOVED_KEY, serials);
    return serials;
}

std::string NextSerial()
{
    long highest = 0;
    for (const std::string& serial : SavedSerials()) {
        long number = strtol(serial.c_str(), nullptr, 10);
        if (number > highest) highest = number;
    }
    char serial[16];
    FormatText(serial, sizeof serial, "%08ld", highest + 1);
    return serial;
}

std::string SavedText(const std::string& serial, const char* name)
{
    std::string text;
    ReadRegText(HKEY_CURRENT_USER, SavedCopyKey(serial).c_str(), name, text);
    return text;
}

void DropSavedCopy(const std::string& serial) { DeleteRegistryTree(HKEY_CURRENT_USER, SavedCopyKey(serial).c_str()); }

void NowText(char* out, int capacity)
{
    SYSTEMTIME now;
    GetLocalTime(&now);
    FormatDateText(&now, out, capacity);
}

// Copies the registration into a new saved copy; its serial, or empty when it could not be saved.
std::string SaveRegistration(const Registration& registration, const char* command, const char* extra)
{
    std::string serial = NextSerial();
    std::string copy = SavedCopyKey(serial);
    std::string saved = SavedRegistrationKey(serial);
    char date[HISTORY_DATE_CHARS];
    NowText(date, sizeof date);
    bool ok = CreateRegKey(HKEY_CURRENT_USER, saved.c_str()) && SetRegString(HKEY_CURRENT_USER, copy.c_str(), "Command", command) &&
              SetRegString(HKEY_CURRENT_USER, copy.c_str(), "Extra", extra) &&
              SetRegString(HKEY_CURRENT_USER, copy.c_str(), "Date", date) &&
              SetRegString(HKEY_CURRENT_USER, copy.c_str(), "Key", registration.key.c_str()) &&
              SetRegString(HKEY_CURRENT_USER, copy.c_str(), "Unregistered", "0");
    if (ok && registration.isValue) {
        std::string data;
        DWORD type = 0;
        ok = SetRegString(HKEY_CURRENT_USER, copy.c_str(), "Value", registration.value.c_str()) &&
             ReadRegRaw(HKEY_LOCAL_MACHINE, registration.key.c_str(), registration.value.c_str(), data, &type) &&
             WriteRegRaw(HKEY_CURRENT_USER, saved.c_str(), registration.value.c_str(), data, type);
    } else if (ok) {
        ok = CopyRegistryTree(HKEY_LOCAL_MACHINE, registration.key.c_str(), HKEY_CURRENT_USER, saved.c_str()) != 0;
    }
    if (ok) return serial;
    DropSavedCopy(serial);
    return std::string();
}

// Writes a saved registration back exactly: a key replaces whatever is there now.
int RestoreRegistration(const std::string& serial)
{
    std::string key = SavedText(serial, "Key");
    if (key.empty()) return 0;
    std::string saved = SavedRegistrationKey(serial);
    std::string value;
    if (ReadRegText(HKEY_CURRENT_USER, SavedCopyKey(serial).c_str(), "Value", value)) {
        std::string data;
        DWORD type = 0;
        return ReadRegRaw(HKEY_CURRENT_USER, saved.c_str(), value.c_str(), data, &type) &&
               CreateRegKey(HKEY_LOCAL_MACHINE, key.c_str()) &&
               WriteRegRaw(HKEY_LOCAL_MACHINE, key.c_str(), value.c_str(), data, type);
    }
    if (!DeleteRegistryTree(HKEY_LOCAL_MACHINE, key.c_str())) return 0;
    return CopyRegistryTree(HKEY_CURRENT_USER, saved.c_str(), HKEY_LOCAL_MACHINE, key.c_str());
}

// The saved copy a history line stands for: the newest with its command and extra,
// preferring one of its date (a line names no class, so two toolbars of one program
// removed in one minute give lines that only their order tells apart).
std::string FindSavedCopy(const HistoryRecord& record)
{
    std::string best;
    bool bestHasDate = false;
    for (const std::string& serial : SavedSerials()) {
        if (!SameText(SavedText(serial, "Command").c_str(), record.command) ||
            !SameText(SavedText(serial, "Extra").c_str(), record.extra))
            continue;
        bool sameDate = SavedText(serial, "Date") == record.date;
        if (best.empty() || (sameDate && !bestHasDate) || (sameDate == bestHasDate && serial > best)) {
            best = serial;
            bestHasDate = sameDate;
        }
    }
    return best;
}

// Runs regsvr32 on the path and waits for it; true when it reports success.
bool RunRegsvr32(const char* switches, const char* path)
{
    std::string line = Regsvr32CommandLine(switches, path);
    std::vector<char> commandLine(line.begin(), line.end());
    commandLine.push_back('\0');
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = SW_SHOW;
    PROCESS_INFORMATION process = {};
    if (!CreateProcessA(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process))
        return false;
    ScopedHandle thread(process.hThread);
    ScopedHandle child(process.hProcess);
    // Waited for, so the refilled list and the undo that follows see the registration as it is.
    DWORD exitCode = STILL_ACTIVE;
    if (WaitForSingleObject(child.get(), kRegsvr32WaitMs) == WAIT_OBJECT_0) GetExitCodeProcess(child.get(), &exitCode);
    return exitCode == 0;
}

// True when `path` lies inside `folder`, without regard to case.
bool InsideFolder(const char* path, const char* folder)
{
    if (!folder || !folder[0]) return false;
    char prefix[MAX_PATH + 2];
    CopyText(prefix, folder);
    AddBackslash(prefix, sizeof prefix);
    size_t length = strlen(prefix);
    return strlen(path) > length && CompareStringA(LOCALE_SYSTEM_DEFAULT, NORM_IGNORECASE, path, (int)length, prefix,
                                                   (int)length) == CSTR_EQUAL;
}

void LongCanonicalForm(const char* path, char* out, int capacity)
{
    char longForm[MAX_PATH];
    LongPathForm(path, longForm, sizeof longForm);
    CanonicalProgramPath(longForm, out, capacity);
}

// Called once the add-on's own registration is gone, so every add-on listed now remains.
bool ShouldUnregister(const char* path)
{
    std::vector<IeHelper> helpers;
    CollectIeHelpers(helpers);
    std::vector<std::string> stillUsed;
    for (const IeHelper& helper : helpers) {
        char canonical[MAX_PATH];
        LongCanonicalForm(helper.path.c_str(), canonical, sizeof canonical);
        stillUsed.push_back(canonical);
    }
    char server[MAX_PATH];
    char windows[MAX_PATH] = "";
    char system[MAX_PATH] = "";
    char folder[MAX_PATH];
    LongCanonicalForm(path, server, sizeof server);
    if (GetWindowsDirectoryA(folder, sizeof folder)) LongPathForm(folder, windows, sizeof windows);
    if (GetSystemDirectoryA(folder, sizeof folder)) LongPathForm(folder, system, sizeof system);
    return MayUnregisterServer(server, stillUsed, windows, system);
}

int UndoRemoval(const HistoryRecord& record)
{
    std::string serial = FindSavedCopy(record);
    if (serial.empty()) {
        // A line from before registrations were kept, or from the monitor: register again only.
        return record.command[0] ? RegisterServerAgain(record.command) : 0;
    }
    if (SavedText(serial, "Unregistered") == "1" && record.command[0]) RegisterServerAgain(record.command);
    if (!RestoreRegistration(serial)) return 0;
    DropSavedCopy(serial);
    return 1;
}

}  // namespace

bool MayUnregisterServer(const char* server, const std::vector<std::string>& stillUsed, const char* windowsFolder,
                         const char* systemFolder)
{
    // A bare file name is loaded from the system's search path: a system file.
    if (!server || !strchr(server, '\\')) return false;
    if (InsideFolder(server, windowsFolder) || InsideFolder(server, systemFolder)) return false;
    for (const std::string& used : stillUsed)
        if (SameText(used.c_str(), server)) return false;
    return true;
}

std::string Regsvr32CommandLine(const char* switches, const char* path)
{
    std::string line = std::string("regsvr32 ") + switches + " ";
    if (path[0] == '"') return line + path;
    return line + "\"" + path + "\"";
}

int RegisterServerAgain(const char* command) { return RunRegsvr32("/s", command) ? 1 : 0; }

int RemoveIeHelper(const char* path, int index, IeHelperRemoval* outcome)
{
    IeHelperRemoval result;
    if (outcome) *outcome = result;
    EntryCopy entry;
    Registration registration;
    if (!path || !CopyEntry(index, entry) || !RegistrationOf(entry, registration)) return 0;

    // The history line names the deleted key, or for a toolbar the Toolbar key.
    const char* extra = registration.key.c_str();
    std::string serial = SaveRegistration(registration, path, extra);
    if (serial.empty()) return 0;  // without a copy there would be no undo
    DeleteRegistration(registration);
    if (RegistrationExists(registration)) {
        // No rights, or part of a tree refused: put back the subkeys that did go.
        if (!registration.isValue)
            CopyRegistryTree(HKEY_CURRENT_USER, SavedRegistrationKey(serial).c_str(), HKEY_LOCAL_MACHINE,
                             registration.key.c_str());
        DropSavedCopy(serial);
        return 0;
    }
    result.removed = true;

    if (path[0] && ShouldUnregister(path)) {
        result.unregistered = RunRegsvr32("/u /s", path);
        if (result.unregistered) SetRegString(HKEY_CURRENT_USER, SavedCopyKey(serial).c_str(), "Unregistered", "1");
    }
    char title[MAX_PATH] = "";
    FileNamePart(path, title, sizeof title);
    result.recorded = AppendHistory(title, path, extra, KIND_TYPE_BHO, ACTION_IEHELPER_REMOVE) != 0;
    if (!result.recorded) DropSavedCopy(serial);  // no line, so no undo can ask for it
    if (outcome) *outcome = result;
    return 1;
}

void InstallIeHelperUndo() { SetUndoAction(ACTION_IEHELPER_REMOVE, UndoRemoval); }
