// The signature tests' files (made at build time by tests/signing/sign_programs.sh), the
// test root planted in the machine ROOT store, and whether the tests run under Wine.
#pragma once

#include <windows.h>

#include <string>

// The publishers' names on the test certificates.
extern const char kTestPublisher[];   // issued by the planted root
extern const char kOutsider[];        // issued by a root that no store holds

// A file of bin/signing: "signed.exe", "unsigned.exe", "tampered.exe", "untrusted.exe".
std::string SigningFile(const char* name);

// Puts root.cer into the machine's ROOT store for its lifetime (Windows trusts a signature
// only up to a root there).
class PlantedTestRoot {
public:
    PlantedTestRoot();
    ~PlantedTestRoot();
    PlantedTestRoot(const PlantedTestRoot&) = delete;
    PlantedTestRoot& operator=(const PlantedTestRoot&) = delete;
    bool planted() const { return planted_; }

private:
    bool planted_ = false;
};

bool RunningOnWine();
