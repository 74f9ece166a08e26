// A real service of the test prefix (see test_service.h).
#include "support/test_service.h"

#include "support/testing.h"

#include <cstring>

namespace {

// The manager and, when it is registered, the service of the name.
struct Handles {
    SC_HANDLE manager = OpenSCManagerA(nullptr, nullptr, SC_MANAGER_ALL_ACCESS), service = nullptr;
    explicit Handles(const std::string& name)
    {
        if (manager) service = OpenServiceA(manager, name.c_str(), SERVICE_ALL_ACCESS);
    }
    ~Handles()
    {
        if (service) CloseServiceHandle(service);
        if (manager) CloseServiceHandle(manager);
    }
    bool Control(DWORD control) const
    {
        SERVICE_STATUS status;
        return service && ControlService(service, control, &status);
    }
};

}  // namespace

std::string TestService::Program() { return BesideTestProgram("test_service.exe"); }

TestService::TestService(const std::string& keyName, const std::string& displayName, const std::string& arguments)
    : keyName_(keyName), displayName_(displayName)
{
    Handles old(keyName);
    if (old.service) {  // left behind by a test that did not finish
        old.Control(SERVICE_CONTROL_STOP);
        DeleteService(old.service);
    }
    std::string image = "\"" + Program() + "\"" + (arguments.empty() ? "" : " " + arguments);
    SC_HANDLE service = old.manager ? CreateServiceA(old.manager, keyName.c_str(), displayName.c_str(), SERVICE_ALL_ACCESS,
                                                     SERVICE_WIN32_OWN_PROCESS, SERVICE_DEMAND_START, SERVICE_ERROR_NORMAL,
                                                     image.c_str(), nullptr, nullptr, nullptr, nullptr, nullptr)
                                    : nullptr;
    if ((registered_ = service != nullptr)) CloseServiceHandle(service);
}

TestService::~TestService()
{
    if (!registered_) return;
    if (!Stop()) Handles(keyName_).Control(200);  // a service that refuses to stop ends on its own control
    WaitForState(SERVICE_STOPPED, 5000);
    Handles handles(keyName_);
    if (handles.service) DeleteService(handles.service);
}

bool TestService::Start()
{
    Handles handles(keyName_);
    return handles.service && StartServiceA(handles.service, 0, nullptr) && WaitForState(SERVICE_RUNNING);
}

bool TestService::Stop() { return Handles(keyName_).Control(SERVICE_CONTROL_STOP); }

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
    std::string data;
    DWORD type = 0, start = 0;
    if (ReadRegRaw(HKEY_LOCAL_MACHINE, ("SYSTEM\\CurrentControlSet\\Services\\" + keyName_).c_str(), "Start", data, &type) &&
        data.size() == sizeof start)
        memcpy(&start, data.data(), sizeof start);
    return start;
}
