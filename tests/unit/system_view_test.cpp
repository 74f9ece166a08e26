// The choices of 64-bit Windows as pure functions, so that the 32-bit build's are tested here
// too: registry view flags, and which file a path names for the program that runs it.
#include "foundations/system_view.h"
#include "reports/settings_export.h"

#include <gtest/gtest.h>

TEST(SystemView, ViewFlagsOnlyOnA64BitWindowsAndAFileIsReachedWhereItsProgramFindsIt)
{
    // No IsWow64Process or a no (32-bit Windows, Windows 2000, the 95 family): no flags at all.
    for (RegistryView view : {VIEW_NATIVE, VIEW_32BIT}) EXPECT_EQ(0u, ViewFlags(view, SystemBits{false, true}));
    for (bool program32 : {true, false}) {
        EXPECT_EQ((REGSAM)KEY_WOW64_64KEY, ViewFlags(VIEW_NATIVE, SystemBits{true, program32})) << program32;
        EXPECT_EQ((REGSAM)KEY_WOW64_32KEY, ViewFlags(VIEW_32BIT, SystemBits{true, program32})) << program32;
    }
    EXPECT_EQ((REGSAM)KEY_WOW64_32KEY, ProgramMachineRoot().view) << "under wine64, the program's key";
    EXPECT_STREQ("SOFTWARE\\Wow6432Node\\Brondlewick", ExportedMachineKeyPath(true));
    EXPECT_STREQ("SOFTWARE\\Brondlewick", ExportedMachineKeyPath(false));
    const SystemFolders folders{"C:\\WINDOWS", "C:\\WINDOWS\\system32", "C:\\WINDOWS\\SysWOW64", true};
    const SystemFolders noSysnative{folders.windows, folders.system, folders.sysWow64, false};
    const SystemFolders thirtyTwoBit{folders.windows, folders.system, "", true};
    const SystemBits on32{false, true}, native{true, false}, wow{true, true};
    const std::string file = "c:\\windows\\SYSTEM32\\sub\\x.exe", redirected = "C:\\WINDOWS\\SysWOW64\\sub\\x.exe";
    const std::string beside = "C:\\WINDOWS\\system32x\\y.exe";  // not in the system folder
    const struct { std::string path; bool usedBy32Bit; FileUse use; SystemBits bits; const SystemFolders& folders;
                   std::string chosen; bool redirectionOff; } rows[] = {
        {file, true, FILE_READ, on32, thirtyTwoBit, file, false},  // 32-bit Windows
        {beside, true, FILE_READ, native, folders, beside, false},
        {file, false, FILE_CHANGE, native, folders, file, false},  // the 64-bit build sees native files
        {file, true, FILE_READ, native, folders, redirected, false},  // a 32-bit add-on's, from either build
        {file, true, FILE_CHANGE, wow, folders, redirected, false},
        {file, false, FILE_READ, wow, folders, "C:\\WINDOWS\\Sysnative\\sub\\x.exe", false},
        {file, false, FILE_READ, wow, noSysnative, file, true},
        {file, false, FILE_CHANGE, wow, folders, file, true},  // the system keeps the name
    };
    for (const auto& row : rows) {
        FileChoice choice = ChooseFilePath(row.path, row.usedBy32Bit, row.use, row.bits, row.folders);
        EXPECT_EQ(row.chosen, choice.path) << &row - rows;
        EXPECT_EQ(row.redirectionOff, choice.redirectionOff) << &row - rows;
    }
}
