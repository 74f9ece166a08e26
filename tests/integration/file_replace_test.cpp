// Files the program rewrites keep their earlier content until a complete new one takes its
// place: a write that fails after the file was made, or a refused move into place, forced
// through the import hook, leaves the earlier file and no temporary file behind.
#include "app/start.h"
#include "reports/csv_export.h"
#include "reports/full_report.h"
#include "reports/settings_export.h"
#include "support/call_hooks.h"
#include "support/testing.h"

#include <gtest/gtest.h>

TEST(FileReplace, TheReportTheCsvFileAndTheExportAreNeverTruncatedFirst)
{
    InstallSubjectTables();
    char directory[MAX_PATH], documents[MAX_PATH], user[128] = "";
    DWORD size = sizeof user, error = 0;
    GetUserNameA(user, &size);
    GetCurrentDirectoryA(sizeof directory, directory);
    ASSERT_GT(DocumentsFolder(documents, sizeof documents), 0);
    const std::string folder = TempPath("replace");
    CreateDirectoryA(folder.c_str(), nullptr);
    ASSERT_TRUE(SetCurrentDirectoryA(folder.c_str()));
    const std::string files[] = {folder + "\\lists.csv", folder + "\\VigilarkLog.txt",
                                 BesideTestProgram((std::string(user) + "-Vigilark.reg").c_str())};
    const std::string inDocuments = std::string(documents) + "\\VigilarkLog.txt";
    DeleteFileA(inDocuments.c_str());
    for (const std::string& file : files) WriteWholeFile(file, "earlier");
    for (FailingCalls::Call call : {FailingCalls::WRITE, FailingCalls::MOVE}) {
        FailingCalls failing(call, 0, ERROR_DISK_FULL);
        EXPECT_FALSE(WriteCsvFile(files[0].c_str(), &error));
        EXPECT_EQ(ERROR_DISK_FULL, error);
        EXPECT_EQ(1, failing.Failed());
    }
    OutputFile report, exported;
    {
        FailingCalls failing(FailingCalls::WRITE, 0, ERROR_DISK_FULL);  // the documents folder's too
        EXPECT_FALSE(WriteReportFile(REPORT_TEXT, report));
        EXPECT_FALSE(WriteSettingsExport(exported));
    }
    for (const std::string& file : files) EXPECT_EQ("earlier", ReadWholeFile(file)) << file;
    EXPECT_FALSE(Exists(inDocuments));

    // A write that fails after the usual place's file was made sends the report on to the
    // documents folder, as a file that cannot be made there does.
    {
        FailingCalls failing(FailingCalls::WRITE, 0, ERROR_DISK_FULL, 1);
        EXPECT_TRUE(WriteReportFile(REPORT_TEXT, report));
    }
    EXPECT_EQ(inDocuments, report.path);
    EXPECT_EQ(files[1], report.firstTried);
    EXPECT_EQ("earlier", ReadWholeFile(files[1]));
    EXPECT_EQ(0u, ReadWholeFile(inDocuments).find("Title\tProgram\t"));
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((folder + "\\*.~*").c_str(), &found);
    EXPECT_EQ(INVALID_HANDLE_VALUE, search) << "a temporary file left: " << found.cFileName;
    if (search != INVALID_HANDLE_VALUE) FindClose(search);
    for (const std::string& file : files) DeleteFileA(file.c_str());
    DeleteFileA(inDocuments.c_str());
    SetCurrentDirectoryA(directory);
}
