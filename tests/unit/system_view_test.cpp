// The choices of 64-bit Windows as pure functions, so that the 32-bit build's are tested here
// too: which registry view flags (and when none), which file a path names for the program
// that runs it, the kinds and keywords that carry a view, and how a view is written.
#include "foundations/entries.h"
#include "foundations/system_view.h"
#include "iehelpers/addon_registration.h"
#include "iehelpers/iehelpers.h"
#include "reports/settings_export.h"

#include <gtest/gtest.h>

namespace {

SystemBits Bits(bool system64, bool program32)
{
    SystemBits bits;
    bits.system64 = system64;
    bits.program32 = program32;
    return bits;
}

}  // namespace

TEST(SystemView, ViewFlagsOnlyOnA64BitWindowsAndEachViewItsOwn)
{
    const struct {
        bool system64, program32;
        RegistryView view;
        REGSAM flags;
    } rows[] = {
        // 32-bit Windows, Windows 2000 and the 95 family (no IsWow64Process, or it says no).
        {false, true, VIEW_NATIVE, 0},
        {false, true, VIEW_32BIT, 0},
        // The 32-bit build on 64-bit Windows names the native view, and the 64-bit build the 32-bit one.
        {true, true, VIEW_NATIVE, KEY_WOW64_64KEY},
        {true, true, VIEW_32BIT, KEY_WOW64_32KEY},
        {true, false, VIEW_NATIVE, KEY_WOW64_64KEY},
        {true, false, VIEW_32BIT, KEY_WOW64_32KEY},
    };
    for (const auto& row : rows)
        EXPECT_EQ(row.flags, ViewFlags(row.view, Bits(row.system64, row.program32)))
            << row.system64 << row.program32 << row.view;
    EXPECT_TRUE(Is64BitWindows()) << "the tests run under wine64";
    EXPECT_EQ((REGSAM)KEY_WOW64_32KEY, ProgramMachineRoot().view) << "the program's key stays in the 32-bit view";
    EXPECT_EQ("SOFTWARE\\Wow6432Node\\Brondlewick", std::string(ExportedMachineKeyPath(true)));
    EXPECT_EQ("SOFTWARE\\Brondlewick", std::string(ExportedMachineKeyPath(false)));
}

TEST(SystemView, AFileInTheSystemFolderIsReachedWhereItsProgramFindsIt)
{
    SystemFolders folders;
    folders.windows = "C:\\WINDOWS";
    folders.system = "C:\\WINDOWS\\system32";
    folders.sysWow64 = "C:\\WINDOWS\\SysWOW64";
    SystemFolders noSysnative = folders;
    folders.sysnative = true;
    SystemFolders thirtyTwoBitWindows = noSysnative;
    thirtyTwoBitWindows.sysWow64.clear();
    const std::string inSystem = "c:\\windows\\SYSTEM32\\drivers\\x.exe";
    const struct {
        const char* why;
        std::string path;
        bool usedBy32Bit;
        FileUse use;
        SystemBits bits;
        const SystemFolders& folders;
        std::string chosen;
        bool redirectionOff;
    } rows[] = {
        {"32-bit Windows", inSystem, true, FILE_READ, Bits(false, true), thirtyTwoBitWindows, inSystem, false},
        {"outside the system folder", "C:\\WINDOWS\\system32x\\y.exe", true, FILE_READ, Bits(true, false), folders,
         "C:\\WINDOWS\\system32x\\y.exe", false},
        {"64-bit build, native program", inSystem, false, FILE_CHANGE, Bits(true, false), folders, inSystem, false},
        {"64-bit build, 32-bit add-on", inSystem, true, FILE_READ, Bits(true, false), folders,
         "C:\\WINDOWS\\SysWOW64\\drivers\\x.exe", false},
        {"32-bit build, 32-bit add-on named as it is", inSystem, true, FILE_CHANGE, Bits(true, true), folders,
         "C:\\WINDOWS\\SysWOW64\\drivers\\x.exe", false},
        {"32-bit build reads a native file through Sysnative", inSystem, false, FILE_READ, Bits(true, true), folders,
         "C:\\WINDOWS\\Sysnative\\drivers\\x.exe", false},
        {"32-bit build without Sysnative", inSystem, false, FILE_READ, Bits(true, true), noSysnative, inSystem, true},
        {"32-bit build asks the system to delete a native file", inSystem, false, FILE_CHANGE, Bits(true, true),
         folders, inSystem, true},
    };
    for (const auto& row : rows) {
        FileChoice choice = ChooseFilePath(row.path, row.usedBy32Bit, row.use, row.bits, row.folders);
        EXPECT_EQ(row.chosen, choice.path) << row.why;
        EXPECT_EQ(row.redirectionOff, choice.redirectionOff) << row.why;
    }
}

TEST(SystemView, KindsCarryTheirViewAndOldKeywordsMeanTheNativeOne)
{
    const struct {
        const char* keyword;
        int kind;
        int base;
        RegistryView view;
    } rows[] = {
        {"MACHINE_RUN", KIND_MACHINE_RUN, KIND_MACHINE_RUN, VIEW_NATIVE},
        {"MACHINE32_RUN", KIND_MACHINE32_RUN, KIND_MACHINE_RUN, VIEW_32BIT},
        {"MACHINE32_RUNSERVICESONCE", 45, 5, VIEW_32BIT},
        {"CURRENT_RUN", KIND_CURRENT_RUN, KIND_CURRENT_RUN, VIEW_NATIVE},
        {"TYPE_BHO", KIND_TYPE_BHO, KIND_TYPE_BHO, VIEW_NATIVE},
        {"TYPE_BHO32", KIND_TYPE_BHO32, KIND_TYPE_BHO, VIEW_32BIT},
        {"TYPE_EXTENSION32", KIND_TYPE_TOOLBAR32, KIND_TYPE_TOOLBAR, VIEW_32BIT},
        {"TYPE_MONITOR32", KIND_TYPE_EXTENSION32, KIND_TYPE_EXTENSION, VIEW_32BIT},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(row.kind, KindFromKeyword(row.keyword)) << row.keyword;
        EXPECT_STREQ(row.keyword, KindKeyword(row.kind));
        EXPECT_EQ(row.base, BaseKind(row.kind)) << row.keyword;
        EXPECT_EQ(row.view, KindView(row.kind)) << row.keyword;
        EXPECT_EQ(row.kind, KindInView(row.base, row.view)) << row.keyword;
    }
    EXPECT_EQ(KIND_CURRENT_RUN, KindInView(KIND_CURRENT_RUN, VIEW_32BIT)) << "the user's keys have one view";
}

TEST(SystemView, AnAddOnOfThe32BitViewIsNamedByItsWow6432NodePath)
{
    const std::string bho = IE_BHO_KEY "\\{A}";
    const struct {
        std::string path;
        int kind;
        std::string key;
    } rows[] = {
        {bho, KIND_TYPE_BHO, bho},
        {"software\\wow6432node\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Browser Helper Objects\\{A}",
         KIND_TYPE_BHO32, bho},
        {"SOFTWARE\\Wow6432Node\\Microsoft\\Internet Explorer\\Toolbar\\{B}", KIND_TYPE_TOOLBAR32, IE_TOOLBAR_KEY},
    };
    for (const auto& row : rows) {
        Registration registration;
        ASSERT_TRUE(RegistrationFromPath(row.path, registration)) << row.path;
        EXPECT_EQ(row.kind, registration.kind) << row.path;
        EXPECT_EQ(KindView(row.kind), registration.view) << row.path;
        EXPECT_EQ(row.key, registration.key) << row.path;
        EXPECT_EQ(0, _stricmp(row.path.c_str(), RegistrationPath(registration).c_str())) << row.path;
    }
    Registration none;
    EXPECT_FALSE(RegistrationFromPath("SOFTWARE\\Wow6432Node\\Microsoft\\Windows\\CurrentVersion\\Run\\{A}", none));
}
