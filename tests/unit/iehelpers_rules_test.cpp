// Which servers removing an add-on may unregister, and the command that unregisters one.
#include "iehelpers/iehelpers_actions.h"

#include <gtest/gtest.h>

TEST(IeHelperRemoval, OnlyAnUnsharedServerOutsideTheWindowsFoldersIsUnregisteredOnAFullLibraryPath)
{
    const char *windows = "C:\\windows", *system = "C:\\windows\\system32";
    const std::vector<std::string> used = {"C:\\PROGRAM FILES\\SHARED\\BOTH.DLL"};
    const struct { const char* server; const char* system; bool may; const char* why; } rows[] = {
        {"C:\\PROGRAM FILES\\ADDON\\HELPER.DLL", system, true, "an add-on's own folder"},
        {"C:\\WINDOWS\\SYSTEM32\\IEFRAME.DLL", system, false, "the system folder serves many classes"},
        {"C:\\WINDOWS\\DOWNLOADED PROGRAM FILES\\X.DLL", system, false, "anywhere under the Windows folder"},
        {"D:\\WINNT\\SYSTEM32\\SHDOCVW.DLL", "D:\\WINNT\\system32", false, "a system folder elsewhere"},
        {"C:\\WINDOWSAPPS\\X.DLL", system, true, "a folder that only begins like the Windows folder"},
        {"SHDOCVW.DLL", system, false, "a bare name is found on the system's search path"},
        {"", system, false, "a toolbar without a server"},
        {"c:\\program files\\shared\\both.dll", system, false, "another add-on still uses it, in any case"},
    };
    for (const auto& row : rows)
        EXPECT_EQ(row.may, MayUnregisterServer(row.server, used, windows, row.system)) << row.why;
    const struct { const char* server; bool runs; } commands[] = {
        {"C:\\Program Files\\Addon\\helper.dll", true}, {"\\\\server\\share\\control.OCX", true},
        {"helper.dll", false},                          // the search path would decide which file
        {"C:\\Program Files\\Addon\\setup.exe", false},  // not a library
        {"C:\\a.dll\" /i:x \"C:\\b.dll", false},        // a quote would add arguments
    };
    for (const auto& row : commands) {
        std::string application, line;
        EXPECT_EQ(row.runs, Regsvr32Command("C:\\windows\\system32", "/u /s", row.server, application, line))
            << row.server;
        if (!row.runs) continue;
        EXPECT_EQ("C:\\windows\\system32\\regsvr32.exe", application);
        EXPECT_EQ("\"C:\\windows\\system32\\regsvr32.exe\" /u /s \"" + std::string(row.server) + "\"", line);
    }
}
