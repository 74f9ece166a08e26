// A real service of the test prefix: tests/programs/test_service.exe registered with the
// service control manager under a name of the test's own, removed again at the end.
#pragma once

#include <windows.h>

#include <string>

class TestService {
public:
    // Registers the service (demand start); arguments follow the program in ImagePath.
    TestService(const std::string& keyName, const std::string& displayName, const std::string& arguments = "");
    ~TestService();
    TestService(const TestService&) = delete;
    TestService& operator=(const TestService&) = delete;

    bool Registered() const { return registered_; }
    const std::string& DisplayName() const { return displayName_; }
    // The program as ImagePath names it.
    static std::string Program();

    bool Start();
    bool Stop();
    // The current state (SERVICE_RUNNING, ...) as QueryServiceStatus tells it; 0 when unknown.
    DWORD State() const;
    bool WaitForState(DWORD state, DWORD timeoutMs = 10000) const;
    // The Start value in the service's registry key; 0 when missing.
    DWORD RegistryStart() const;

private:
    std::string keyName_, displayName_;
    bool registered_ = false;
};
