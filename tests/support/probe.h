// Probe processes: a copy of the running test program, started with a switch that makes
// it only wait to be ended. Its path is what a test plants as a command.
#pragma once

#include <windows.h>
#include <string>

class Probe {
public:
    // Copies this test program to `path` (creating its folder; a copy already there is
    // used as it is, so several probes may run one file) and starts the copy.
    explicit Probe(const std::string& path);
    ~Probe();
    Probe(const Probe&) = delete;
    Probe& operator=(const Probe&) = delete;

    bool Started() const { return process_.hProcess != nullptr; }
    DWORD Id() const { return process_.dwProcessId; }
    DWORD ExitCode() const;
    bool Running() const;
    // Waits for the process to end; true when it did.
    bool EndsWithin(DWORD ms) const;
    const std::string& Path() const { return path_; }

private:
    std::string path_;
    PROCESS_INFORMATION process_ = {};
};
