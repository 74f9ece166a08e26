// Add-on registrations, their saved copies and regsvr32 (see addon_registration.h).
#include "iehelpers/addon_registration.h"

#include "foundations/entries.h"
#include "foundations/handles.h"
#include "foundations/paths.h"
#include "foundations/registry.h"
#include "foundations/registry_tree.h"
#include "foundations/strings.h"
#include "foundations/system_view.h"
#include "foundations/text.h"
#include "history/history.h"
#include "iehelpers/iehelpers.h"
#include "iehelpers/iehelpers_actions.h"

#include <windows.h>
#include <cstdlib>
#include <cstring>

namespace {

// regsvr32 /s shows nothing; a server that hangs in its registration is not waited for longer.
const DWORD kRegsvr32WaitMs = 15000;

const int kKinds[] = {KIND_TYPE_BHO, KIND_TYPE_TOOLBAR, KIND_TYPE_EXTENSION};

// Every add-on location lies under "SOFTWARE\"; in the 32-bit view, as the native view shows
// it, under "SOFTWARE\Wow6432Node\".
const char kSoftware[] = "SOFTWARE\\";
const char kWow64Node[] = "Wow6432Node\\";

std::string Path32(const std::string& key)
{
    return kSoftware + std::string(kWow64Node) + key.substr(sizeof kSoftware - 1);
}

std::string SavedRegistrationKey(const std::string& serial) { return SavedCopyKey(serial) + "\\Registration"; }
std::string AlsoRemovedKey(const std::string& serial) { return SavedCopyKey(serial) + "\\AlsoRemoved"; }

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

void NowText(char* out, int capacity)
{
    SYSTEMTIME now;
    GetLocalTime(&now);
    FormatDateText(&now, out, capacity);
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

}  // namespace

bool RegistrationOf(int kind, const char* classId, Registration& out)
{
    const char* location = IeHelperRegistryKey(kind);
    if (!location || !classId || !classId[0] || strchr(classId, '\\')) return false;
    out = Registration();
    out.kind = kind;
    out.view = KindView(kind);
    out.key = location;
    out.name = classId;
    if (BaseKind(kind) == KIND_TYPE_TOOLBAR) {
        out.value = classId;
    } else {
        out.key += "\\";
        out.key += classId;
    }
    return true;
}

bool RegistrationFromPath(const std::string& path, Registration& out)
{
    // The 32-bit view's keys as the native view shows them.
    RegistryView view = VIEW_NATIVE;
    std::string rest = path;
    const std::string node = std::string(kSoftware) + kWow64Node;
    if (rest.size() > node.size() && SameText(rest.substr(0, node.size()).c_str(), node.c_str())) {
        view = VIEW_32BIT;
        rest = kSoftware + rest.substr(node.size());
    }
    for (int kind : kKinds) {
        std::string location = IeHelperRegistryKey(kind);
        if (rest.size() <= location.size() + 1 || rest[location.size()] != '\\' ||
            !SameText(rest.substr(0, location.size()).c_str(), location.c_str()))
            continue;
        return RegistrationOf(KindInView(kind, view), rest.substr(location.size() + 1).c_str(), out);
    }
    return false;
}

std::string RegistrationKeyPath(const Registration& registration)
{
    return registration.view == VIEW_32BIT ? Path32(registration.key) : registration.key;
}

std::string RegistrationPath(const Registration& registration)
{
    std::string key = RegistrationKeyPath(registration);
    return registration.value.empty() ? key : key + "\\" + registration.value;
}

RegRoot RegistrationRoot(const Registration& registration)
{
    return RootInView(HKEY_LOCAL_MACHINE, registration.view);
}

bool RegistrationExists(const Registration& registration)
{
    return registration.value.empty()
               ? RegKeyExists(RegistrationRoot(registration), registration.key.c_str())
               : RegValueExists(RegistrationRoot(registration), registration.key.c_str(), registration.value.c_str());
}

int DeleteRegistration(const Registration& registration)
{
    if (!registration.value.empty())
        return DeleteRegValue(RegistrationRoot(registration), registration.key.c_str(), registration.value.c_str());
    return DeleteRegistryTree(RegistrationRoot(registration), registration.key.c_str());
}

std::vector<std::string> AddonRegistrationPaths()
{
    std::vector<std::string> paths;
    for (RegistryView view : ListedViews()) {
        RegRoot root = RootInView(HKEY_LOCAL_MACHINE, view);
        for (int kind : kKinds) {
            const char* location = IeHelperRegistryKey(kind);
            std::vector<std::string> names;
            if (kind == KIND_TYPE_TOOLBAR) {
                std::vector<RegValue> values;
                ReadRegValues(root, location, values);
                for (const RegValue& value : values) names.push_back(value.name);
            } else {
                RegSubkeyNames(root, location, names);
            }
            std::string shown = view == VIEW_32BIT ? Path32(location) : location;
            for (const std::string& name : names) paths.push_back(shown + "\\" + name);
        }
    }
    return paths;
}

bool HasPath(const std::vector<std::string>& paths, const std::string& path)
{
    for (const std::string& candidate : paths)
        if (SameText(candidate.c_str(), path.c_str())) return true;
    return false;
}

bool RegistrationListed(const Registration& registration)
{
    std::vector<IeHelper> helpers;
    CollectIeHelpers(helpers);
    for (const IeHelper& helper : helpers)
        if (helper.kind == registration.kind && SameText(helper.extra.c_str(), registration.name.c_str()))
            return !helper.path.empty() || BaseKind(helper.kind) == KIND_TYPE_EXTENSION;
    return false;
}

std::string SavedCopyKey(const std::string& serial) { return std::string(IE_REMOVED_KEY "\\") + serial; }

std::vector<std::string> SavedSerials()
{
    std::vector<std::string> serials;
    RegSubkeyNames(HKEY_CURRENT_USER, IE_REMOVED_KEY, serials);
    return serials;
}

std::string SavedText(const std::string& serial, const char* name)
{
    std::string text;
    ReadRegText(HKEY_CURRENT_USER, SavedCopyKey(serial).c_str(), name, text);
    return text;
}

void DropSavedCopy(const std::string& serial) { DeleteRegistryTree(HKEY_CURRENT_USER, SavedCopyKey(serial).c_str()); }

std::string SaveRegistration(const Registration& registration, const char* command)
{
    std::string serial = NextSerial();
    std::string copy = SavedCopyKey(serial);
    std::string saved = SavedRegistrationKey(serial);
    char date[HISTORY_DATE_CHARS];
    NowText(date, sizeof date);
    bool ok = CreateRegKey(HKEY_CURRENT_USER, saved.c_str()) &&
              SetRegString(HKEY_CURRENT_USER, copy.c_str(), "Command", command) &&
              SetRegString(HKEY_CURRENT_USER, copy.c_str(), "Extra", RegistrationPath(registration).c_str()) &&
              SetRegString(HKEY_CURRENT_USER, copy.c_str(), "Date", date) &&
              SetRegString(HKEY_CURRENT_USER, copy.c_str(), "Key", RegistrationKeyPath(registration).c_str()) &&
              SetRegString(HKEY_CURRENT_USER, copy.c_str(), "Unregistered", "0");
    RegRoot root = RegistrationRoot(registration);
    if (ok && !registration.value.empty()) {
        std::string data;
        DWORD type = 0;
        ok = SetRegString(HKEY_CURRENT_USER, copy.c_str(), "Value", registration.value.c_str()) &&
             ReadRegRaw(root, registration.key.c_str(), registration.value.c_str(), data, &type) &&
             WriteRegRaw(HKEY_CURRENT_USER, saved.c_str(), registration.value.c_str(), data, type);
    } else if (ok) {
        ok = CopyRegistryTree(root, registration.key.c_str(), HKEY_CURRENT_USER, saved.c_str()) != 0;
    }
    if (ok) return serial;
    DropSavedCopy(serial);
    return std::string();
}

bool SavedRegistrationOf(const std::string& serial, Registration& out)
{
    // The copy lives in the user's own hive: it is trusted only for a place an add-on has.
    std::string key = SavedText(serial, "Key");
    std::string value;
    bool isValue = ReadRegText(HKEY_CURRENT_USER, SavedCopyKey(serial).c_str(), "Value", value);
    if (!RegistrationFromPath(isValue ? key + "\\" + value : key, out)) return false;
    return SameText(RegistrationKeyPath(out).c_str(), key.c_str()) &&
           (BaseKind(out.kind) == KIND_TYPE_TOOLBAR) == isValue;
}

int RestoreRegistration(const std::string& serial, const Registration& registration)
{
    std::string saved = SavedRegistrationKey(serial);
    RegRoot root = RegistrationRoot(registration);
    if (!registration.value.empty()) {
        std::string data;
        DWORD type = 0;
        return ReadRegRaw(HKEY_CURRENT_USER, saved.c_str(), registration.value.c_str(), data, &type) &&
               CreateRegKey(root, registration.key.c_str()) &&
               WriteRegRaw(root, registration.key.c_str(), registration.value.c_str(), data, type);
    }
    return CopyRegistryTree(HKEY_CURRENT_USER, saved.c_str(), root, registration.key.c_str());
}

void RecordAlsoRemoved(const std::string& serial, const std::vector<std::string>& paths)
{
    std::string key = AlsoRemovedKey(serial);
    if (paths.empty() || !CreateRegKey(HKEY_CURRENT_USER, key.c_str())) return;
    for (const std::string& path : paths) SetRegString(HKEY_CURRENT_USER, key.c_str(), path.c_str(), "1");
}

std::vector<std::string> AlsoRemoved(const std::string& serial)
{
    std::vector<RegValue> values;
    ReadRegValues(HKEY_CURRENT_USER, AlsoRemovedKey(serial).c_str(), values);
    std::vector<std::string> paths;
    for (const RegValue& value : values) paths.push_back(value.name);
    return paths;
}

std::string LongCanonicalForm(const char* path)
{
    char longForm[MAX_PATH];
    char canonical[MAX_PATH];
    LongPathForm(path, longForm, sizeof longForm);
    CanonicalProgramPath(longForm, canonical, sizeof canonical);
    return canonical;
}

bool RunRegsvr32(const char* switches, const char* server)
{
    char system[MAX_PATH];
    UINT length = GetSystemDirectoryA(system, sizeof system);
    std::string application;
    std::string line;
    if (length == 0 || length >= sizeof system || !Regsvr32Command(system, switches, server, application, line))
        return false;
    std::vector<char> commandLine(line.begin(), line.end());
    commandLine.push_back('\0');
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = SW_SHOW;
    PROCESS_INFORMATION process = {};
    if (!CreateProcessA(application.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                        &process))
        return false;
    ScopedHandle thread(process.hThread);
    ScopedHandle child(process.hProcess);
    // Waited for, so the refilled list and the undo that follows see the registration as it is.
    DWORD exitCode = STILL_ACTIVE;
    if (WaitForSingleObject(child.get(), kRegsvr32WaitMs) == WAIT_OBJECT_0) GetExitCodeProcess(child.get(), &exitCode);
    return exitCode == 0;
}

bool MayRunRegsvr32On(const char* server)
{
    std::string application;
    std::string line;
    if (!server || !Regsvr32Command("C:", "/s", server, application, line)) return false;
    char windows[MAX_PATH] = "";
    char system[MAX_PATH] = "";
    char folder[MAX_PATH];
    if (GetWindowsDirectoryA(folder, sizeof folder)) LongPathForm(folder, windows, sizeof windows);
    if (GetSystemDirectoryA(folder, sizeof folder)) LongPathForm(folder, system, sizeof system);
    return MayUnregisterServer(LongCanonicalForm(server).c_str(), {}, windows, system);
}

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

bool Regsvr32Command(const char* systemFolder, const char* switches, const char* server, std::string& application,
                     std::string& commandLine)
{
    application.clear();
    commandLine.clear();
    if (!systemFolder || !*systemFolder || !server || strchr(server, '"') || strchr(systemFolder, '"')) return false;
    bool drive = ((server[0] >= 'A' && server[0] <= 'Z') || (server[0] >= 'a' && server[0] <= 'z')) &&
                 server[1] == ':' && server[2] == '\\';
    bool share = server[0] == '\\' && server[1] == '\\';
    size_t length = strlen(server);
    bool library = length > 4 && (SameText(server + length - 4, ".dll") || SameText(server + length - 4, ".ocx"));
    if (!(drive || share) || !library) return false;
    application = std::string(systemFolder) + "\\regsvr32.exe";
    commandLine = "\"" + application + "\" " + switches + " \"" + server + "\"";
    return true;
}
