// The installed services (see services.h): the registry gives the list, the service control
// manager the state and the controls.
#include "services/services.h"

#include "foundations/entries.h"
#include "foundations/fill_memo.h"
#include "foundations/handles.h"
#include "foundations/registry.h"
#include "foundations/settings.h"
#include "foundations/strings.h"
#include "foundations/text.h"
#include "foundations/version_info.h"
#include "services/service_text.h"
#include "shell/listview.h"

#include <winsvc.h>

#include <cstdlib>
#include <string>

namespace {

const char kServicesKey[] = "SYSTEM\\CurrentControlSet\\Services";
const char kKnownServicesKey[] = VIGILARK_KEY "\\Services";

const int IMAGE_CHARS = 512;
const int DESCRIPTION_CHARS = 1024;
const int KEY_NAME_CHARS = 256;

// A service control manager or service handle, closed on every way out.
class ScHandle {
public:
    explicit ScHandle(SC_HANDLE handle = nullptr) : handle_(handle) {}
    ~ScHandle()
    {
        if (handle_) CloseServiceHandle(handle_);
    }
    ScHandle(const ScHandle&) = delete;
    ScHandle& operator=(const ScHandle&) = delete;
    SC_HANDLE get() const { return handle_; }
    explicit operator bool() const { return handle_ != nullptr; }

private:
    SC_HANDLE handle_;
};

// Connecting is all the manager needs for looking up and opening services.
SC_HANDLE ConnectToManager() { return OpenSCManagerA(nullptr, nullptr, SC_MANAGER_CONNECT); }

SC_HANDLE OpenByDisplayName(SC_HANDLE manager, const char* displayName, DWORD rights)
{
    char key[KEY_NAME_CHARS];
    DWORD size = sizeof key;
    if (!displayName || !GetServiceKeyNameA(manager, displayName, key, &size)) return nullptr;
    return OpenServiceA(manager, key, rights);
}

// Asks a running service for its state; false when it does not answer.
bool Interrogate(SC_HANDLE service, SERVICE_STATUS* status)
{
    *status = SERVICE_STATUS{};
    return ControlService(service, SERVICE_CONTROL_INTERROGATE, status) != FALSE;
}

const DWORD kStateRights = SERVICE_QUERY_STATUS | SERVICE_INTERROGATE;

// In a fill: the key name of the service each entry lists, and each service's state.
std::string ListedKeyName(int index) { return "service|key|" + std::to_string(index); }
std::string StateKey(const std::string& keyName) { return "service|state|" + keyName; }

DWORD StateByKeyName(SC_HANDLE manager, const char* keyName)
{
    if (!manager) return 0;
    ScHandle service(OpenServiceA(manager, keyName, kStateRights));
    SERVICE_STATUS status;
    if (!service || !Interrogate(service.get(), &status)) return 0;
    return MakeStateValue(status.dwCurrentState, status.dwServiceType);
}

// A text value of an open key as the list reads it: expanded, and empty when it does not
// fit `capacity` characters with its terminator.
void ReadText(HKEY key, const char* name, char* out, int capacity)
{
    std::string text;
    out[0] = '\0';
    if (ReadRegText(key, name, text) && text.size() < (size_t)capacity) CopyText(out, (size_t)capacity, text.c_str());
}

DWORD ReadStart(HKEY key)
{
    DWORD start = 0;
    DWORD type = 0;
    DWORD size = sizeof start;
    if (RegQueryValueExA(key, "Start", nullptr, &type, reinterpret_cast<BYTE*>(&start), &size) != ERROR_SUCCESS ||
        type != REG_DWORD || size != sizeof start)
        return 0;
    return start;
}

// What one service key gives the list.
struct ServiceRecord {
    char title[DESCRIPTION_CHARS];
    char path[IMAGE_CHARS];
    char description[DESCRIPTION_CHARS];
    DWORD start;
    int kind;
};

// False for a service the list leaves out (no image, or no program file: a driver).
bool ReadServiceRecord(HKEY services, const char* name, ServiceRecord& record)
{
    RegKey key;
    if (key.Open(services, name, KEY_READ) != ERROR_SUCCESS) return false;
    ReadText(key.get(), "ImagePath", record.path, IMAGE_CHARS);
    if (!record.path[0]) return false;
    ReadText(key.get(), "Description", record.description, DESCRIPTION_CHARS);
    ReadText(key.get(), "DisplayName", record.title, DESCRIPTION_CHARS);
    record.start = ReadStart(key.get());
    record.kind = ServiceKindOfImage(record.path);
    if (!record.kind) return false;
    if (record.kind == KIND_SERVICE_SVCHOST) {
        RegKey parameters;
        char dll[IMAGE_CHARS];
        if (parameters.Open(key.get(), "Parameters", KEY_READ) == ERROR_SUCCESS) {
            ReadText(parameters.get(), "ServiceDll", dll, IMAGE_CHARS);
            if (dll[0]) CopyText(record.path, dll);
        }
    }
    return true;
}

bool IsMicrosoftProgram(const char* path)
{
    char program[1024];
    VersionFields fields;
    CanonicalProgramPath(path, program, sizeof program);
    ReadVersionFields(program, &fields);
    return ContainsNoCase(fields.companyName, "Microsoft") != 0;
}

// Subkey `index` of the services key; false when there are no more. An index that does
// not enumerate gives an empty name.
bool ServiceKeyAt(HKEY services, DWORD index, char (&name)[KEY_NAME_CHARS])
{
    DWORD size = sizeof name;
    name[0] = '\0';
    LONG rc = RegEnumKeyExA(services, index, name, &size, nullptr, nullptr, nullptr, nullptr);
    if (rc == ERROR_NO_MORE_ITEMS) return false;
    if (rc != ERROR_SUCCESS) name[0] = '\0';
    return true;
}

int Enumerate(bool readStates)
{
    FreeEntries();
    RegKey services;
    if (services.Open(HKEY_LOCAL_MACHINE, kServicesKey, KEY_READ) != ERROR_SUCCESS) return 0;
    ScHandle manager(readStates ? ConnectToManager() : nullptr);
    bool hideMicrosoft = CurrentOptions().hideMicrosoftServices > 0;
    // Hosted services share their host and often their DLL: each file's version is read once.
    FillMemo memo;
    char name[KEY_NAME_CHARS];
    for (DWORD index = 0; ServiceKeyAt(services.get(), index, name); ++index) {
        ServiceRecord record;
        if (!name[0] || !ReadServiceRecord(services.get(), name, record)) continue;
        if (hideMicrosoft && IsMicrosoftProgram(record.path)) continue;
        char startText[64] = "";
        if (UINT id = StartTypeTextId(record.start)) LoadText(id, startText);
        DWORD state = readStates ? StateByKeyName(manager.get(), name) : 0;
        if (AddEntry(record.title, record.path, startText, record.description, record.kind, (int)state))
            RememberText(ListedKeyName(EntryCount() - 1), name);
    }
    return EntryCount();
}

// Reads, through one manager handle, the state of every listed service whose state this
// fill has not read yet.
void ReadListedStates()
{
    ScHandle manager(ConnectToManager());
    for (int index = 0; index < EntryCount(); ++index) {
        std::string name, known;
        if (!RecallText(ListedKeyName(index), name) || RecallText(StateKey(name), known)) continue;
        RememberText(StateKey(name), std::to_string(StateByKeyName(manager.get(), name.c_str())));
    }
}

// The key name of the first service, in registry order, with this display name.
bool FindServiceKey(const char* displayName, char (&keyName)[KEY_NAME_CHARS])
{
    RegKey services;
    if (!displayName || services.Open(HKEY_LOCAL_MACHINE, kServicesKey, KEY_READ) != ERROR_SUCCESS) return false;
    for (DWORD index = 0; ServiceKeyAt(services.get(), index, keyName); ++index) {
        RegKey key;
        if (!keyName[0] || key.Open(services.get(), keyName, KEY_READ) != ERROR_SUCCESS) continue;
        char image[KEY_NAME_CHARS];
        char title[DESCRIPTION_CHARS];
        ReadText(key.get(), "ImagePath", image, KEY_NAME_CHARS);
        if (!image[0]) continue;
        ReadText(key.get(), "DisplayName", title, DESCRIPTION_CHARS);
        if (SameText(title, displayName)) return true;
    }
    return false;
}

}  // namespace

int EnumerateServices() { return Enumerate(false); }

int EnumerateServicesWithStates() { return Enumerate(true); }

bool ReadServiceStatus(const char* displayName, DWORD* stateValue, DWORD* controlsAccepted)
{
    *stateValue = 0;
    *controlsAccepted = 0;
    ScHandle manager(ConnectToManager());
    if (!manager) return false;
    ScHandle service(OpenByDisplayName(manager.get(), displayName, kStateRights));
    SERVICE_STATUS status;
    if (!service || !Interrogate(service.get(), &status)) return false;
    *stateValue = MakeStateValue(status.dwCurrentState, status.dwServiceType);
    *controlsAccepted = status.dwControlsAccepted;
    return *stateValue != 0;
}

DWORD QueryServiceState(const char* displayName)
{
    DWORD state = 0;
    DWORD controls = 0;
    ReadServiceStatus(displayName, &state, &controls);
    return state;
}

DWORD ListedServiceState(int index)
{
    std::string name, state;
    if (RecallText(ListedKeyName(index), name)) {
        if (!RecallText(StateKey(name), state)) ReadListedStates();
        if (RecallText(StateKey(name), state)) return (DWORD)strtol(state.c_str(), nullptr, 10);
    }
    char title[ENTRY_TITLE_CHARS];
    GetEntryTitle(index, title);
    return QueryServiceState(title);
}

DWORD ServiceStateText(const char* displayName, char* out, int capacity)
{
    DWORD state = QueryServiceState(displayName);
    LoadText(ServiceStateTextId(StateOfValue(state)), out, capacity);
    return state;
}

DWORD ServiceControlsAccepted(const char* displayName)
{
    DWORD state = 0;
    DWORD controls = 0;
    ReadServiceStatus(displayName, &state, &controls);
    return controls;
}

bool SendServiceControl(const char* displayName, DWORD control)
{
    DWORD rights = ServiceRightsForControl(control);
    ScHandle manager(ConnectToManager());
    if (!rights || !manager) return false;
    ScHandle service(OpenByDisplayName(manager.get(), displayName, rights));
    SERVICE_STATUS status = {};
    return service && ControlService(service.get(), control, &status);
}

DWORD GetServiceStartType(const char* displayName)
{
    char keyName[KEY_NAME_CHARS];
    RegKey key;
    if (!FindServiceKey(displayName, keyName)) return 0;
    RegKey services;
    if (services.Open(HKEY_LOCAL_MACHINE, kServicesKey, KEY_READ) != ERROR_SUCCESS ||
        key.Open(services.get(), keyName, KEY_QUERY_VALUE) != ERROR_SUCCESS)
        return 0;
    return ReadStart(key.get());
}

int SetServiceStartType(const char* displayName, DWORD start)
{
    char keyName[KEY_NAME_CHARS];
    if (!FindServiceKey(displayName, keyName)) return 0;
    RegKey services;
    RegKey key;
    // Setting one value is all the change needs.
    if (services.Open(HKEY_LOCAL_MACHINE, kServicesKey, KEY_READ) != ERROR_SUCCESS ||
        key.Open(services.get(), keyName, KEY_SET_VALUE) != ERROR_SUCCESS)
        return 0;
    return RegSetValueExA(key.get(), "Start", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&start), sizeof start) ==
           ERROR_SUCCESS;
}

int ServiceDescriptionOfProgram(const char* program, char* out, int capacity)
{
    if (!out || capacity <= 0) return 0;
    out[0] = '\0';
    RegKey services;
    if (!program || !*program || services.Open(HKEY_LOCAL_MACHINE, kServicesKey, KEY_READ) != ERROR_SUCCESS) return 0;
    char name[KEY_NAME_CHARS];
    for (DWORD index = 0; ServiceKeyAt(services.get(), index, name); ++index) {
        ServiceRecord record;
        char canonical[1024];
        if (!name[0] || !ReadServiceRecord(services.get(), name, record)) continue;
        CanonicalProgramPath(record.path, canonical, sizeof canonical);
        if (SameText(canonical, program)) return (int)CopyText(out, (size_t)capacity, record.description);
    }
    return 0;
}

void RecordKnownServices()
{
    if (EntryCount() > 0) FreeEntries();
    int count = EnumerateServices();
    for (int index = 0; index < count; ++index) {
        char title[ENTRY_TITLE_CHARS];
        char kind[16];
        GetEntryTitle(index, title);
        FormatText(kind, sizeof kind, "%d", GetEntryKind(index));
        SetRegString(HKEY_CURRENT_USER, kKnownServicesKey, title, kind);
    }
}
