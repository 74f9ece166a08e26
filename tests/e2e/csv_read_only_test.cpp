// "-csv FILE" changes nothing on the machine: on a fresh user account (no program keys)
// the registry is the same after the export as before it, and the lists are still whole.
#include "support/console_driver.h"
#include "support/testing.h"
#include "support/views.h"

#include <gtest/gtest.h>

TEST(CsvOption, OnAFreshAccountTheExportRecordsNothing)
{
    const char kRunKey[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";
    EndAllCopies();
    SavedTree program(HKEY_CURRENT_USER, "Software\\Brondlewick");
    SavedKey machineRun(HKEY_LOCAL_MACHINE, kRunKey);
    DeleteRegTree(HKEY_CURRENT_USER, "Software\\Brondlewick");
    DeleteRegValue(HKEY_LOCAL_MACHINE, kRunKey, "Vigilark");
    const std::string file = TempPath("read-only.csv");
    DeleteFileA(file.c_str());
    auto state = [&] {
        return DumpRegTree(HKEY_CURRENT_USER, "Software") + DumpRegTree(HKEY_LOCAL_MACHINE, In32BitView("Software\\Brondlewick")) +
               DumpRegTree(HKEY_LOCAL_MACHINE, kRunKey);
    };
    const std::string before = state();

    ConsoleRun csv;
    ASSERT_TRUE(StartProgram("VigilarkEx.exe", ("-csv \"" + file + "\"").c_str(), &csv.process));
    ASSERT_EQ(0, WaitForExit(csv, 60000));
    EXPECT_EQ(before, state());
    const std::string text = ReadWholeFile(file);
    EXPECT_NE(std::string::npos, text.find(",task,")) << "the lists are still there";
    EXPECT_NE(std::string::npos, text.find(",filetype,")) << "the default file types, without a snapshot";
    DeleteFileA(file.c_str());
}
