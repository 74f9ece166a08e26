// A real service of the test prefix (see test_service.h).
#include "support/test_service.h"

#include "support/testing.h"

namespace {

const char kServicesKey[] = "SYSTEM\\CurrentControlSet\\Services\\";

struct Handles {
    SC_HANDLE manager = OpenSCManagerA(nullptr, nullptr, SC_MANAGER_ALL_ACCESS);
    SC_HANDLE service = nullptr;
    Handles(const std::string& name)
    {
        if (manager) service = OpenServiceA(manager, name.c_str(), SERVICE_ALL_ACCESS);
    }
    ~Handles()
    {
        if (service) CloseServiceHandle(service);
        if (manager) CloseServiceHandle(manager);
    }
};

}  // namespace

std::string TestService::Program() { return BesideTestProgram("test_service.exe"); }

TestService::TestService(const std::string& keyName, const std::string& displayName, const std::string& arguments)
    : keyName_(keyName), displayName_(displayName)
{
    Handles old(keyName);
    if (old.service) {  // left behind by a test that did not finish
        SERVICE_STATUS status;
        ControlService(old.service, SERVICE_CONTROL_STOP, &status);
        DeleteService(old.service);
    }
    std::string image = "\"" + Program() + "\"" + (arguments.empty() ? "" : " " + arguments);
    SC_HANDLE service = old.manager ? CreateServiceA(old.manager, keyName.c_str(), displayName.c_str(), SERVICE_ALL_ACCESS,
                                                     SERVICE_WIN32_OWN_PROCESS, SERVICE_DEMAND_START,
                                                     SERVICE_ERROR_NORMAL, image.c_str(), nullptr, nullptr, nullptr,
                                                     nullptr, nullptr)
                                    : nullptr;
    registered_ = service != nullptr;
    if (service) CloseServiceHandle(service);
}

TestService::~TestService()
{
    if (!registered_) return;
    if (!Stop()) {  // a service that refuses to stop ends on the program's own control
        Handles handles(keyName_);
        SERVICE_STATUS status;
        if (handles.service) ControlService(handles.service, 200, &status);
    }
    WaitForState(SERVICE_STOPPED, 5000);
    Handles handles(keyName_);
    if (handles.service) DeleteService(handles.service);
}

bool TestService::Start()
{
    Handles handles(keyName_);
    return handles.service && StartServiceA(handles.service, 0, nullptr) && WaitForState(SERVICE_RUNNING);
}

bool TestService::Stop()
{
    Handles handles(keyName_);
    SERVICE_STATUS status;
    return handles.service && ControlService(handles.service, SERVICE_CONTROL_STOP, &status);
}

DWORD TestService::State() const
{
    Handles handles(keyName_);
    SERVICE_STATUS status = {};
    return handles.service && QueryServiceStatus(handles.service, &status) ? status.dwCurrentState : 0;
}

bool TestService::WaitForState(DWORD state, DWORD timeoutMs) const
{
    return WaitFor([&] { return State() == state; }, timeoutMs);
}

DWORD TestService::RegistryStart() const
{
    HKEY key = nullptr;
    DWORD start = 0, size = sizeof start;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, (kServicesKey + keyName_).c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS)
        return 0;
    RegQueryValueExA(key, "Start", nullptr, nullptr, reinterpret_cast<BYTE*>(&start), &size);
    RegCloseKey(key);
    return start;
}
