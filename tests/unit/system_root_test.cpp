// The Windows folder stands in for a SystemRoot name only where Windows reads one: at the
// start of a command.
#include "foundations/strings.h"

#include <gtest/gtest.h>

#include <string>

TEST(CanonicalProgramPath, SystemRootOnlyAtTheStartOfACommand)
{
    char windows[MAX_PATH];
    GetWindowsDirectoryA(windows, sizeof windows);
    const std::string system = std::string(windows) + "\\SYSTEM32\\X.EXE";
    const struct {
        const char* command;
        std::string expected;
    } rows[] = {
        {"\\SystemRoot\\System32\\x.exe /a", system},
        {"SystemRoot\\system32\\x.exe", system},
        {"%SystemRoot%\\system32\\x.exe -k", system},
        {"\"%systemroot%\\System32\\x.exe\" -k", system},
        // The name elsewhere is an argument or a folder of its own.
        {"C:\\x\\System32\\winlogon.exe SYSTEMROOT", "C:\\X\\SYSTEM32\\WINLOGON.EXE"},
        {"C:\\Tools\\SystemRoot\\x.exe", "C:\\TOOLS\\SYSTEMROOT\\X.EXE"},
        {"C:\\x.exe %SystemRoot%\\y.dll", "C:\\X.EXE"},
        {"SystemRootless\\x.exe", "SYSTEMROOTLESS\\X.EXE"},
    };
    for (const auto& row : rows) {
        char out[1024];
        CanonicalProgramPath(row.command, out, sizeof out);
        EXPECT_EQ(0, lstrcmpiA(row.expected.c_str(), out)) << row.command << " gave " << out;
    }
}
