// Files the program rewrites keep their earlier content until a complete new one takes its
// place: a write that fails after the file was made, or a refused move into place, forced
// through the import hook, leaves the earlier file and no temporary file behind.
#include "app/start.h"
#include "foundations/file_replace.h"
#include "reports/csv_export.h"
#include "reports/full_report.h"
#include "reports/settings_export.h"
#include "support/call_hooks.h"
#include "support/testing.h"

#include <gtest/gtest.h>

namespace {

int LeftOver(const std::string& folder)
{
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((folder + "\\*.~*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return 0;
    int count = 0;
    do ++count;
    while (FindNextFileA(search, &found));
    FindClose(search);
    return count;
}

}  // namespace

TEST(FileReplace, AFailedWriteOrMoveLeavesTheEarlierFileAsItWas)
{
    const std::string folder = TempPath("replace");
    CreateDirectoryA(folder.c_str(), nullptr);
    const std::string file = folder + "\\data.txt";
    const std::string big(3 << 20, 'n');  // more than one write
    const struct { const char* why; FailingCalls::Call call; int passing; DWORD error; } rows[] = {
        {"the first write", FailingCalls::WRITE, 0, ERROR_DISK_FULL},
        {"a later write", FailingCalls::WRITE, 1, ERROR_HANDLE_DISK_FULL},
        {"the move into place", FailingCalls::MOVE, 0, ERROR_SHARING_VIOLATION},
    };
    DWORD error = 0;
    for (const auto& row : rows) {
        WriteWholeFile(file, "earlier");
        {
            FailingCalls failing(row.call, row.passing, row.error);
            EXPECT_FALSE(ReplaceFileBytes(file.c_str(), big, &error)) << row.why;
            EXPECT_EQ(1, failing.Failed()) << row.why;
        }
        EXPECT_EQ(row.error, error) << row.why;
        EXPECT_EQ("earlier", ReadWholeFile(file)) << row.why;
        EXPECT_EQ(0, LeftOver(folder)) << row.why;
    }
    EXPECT_TRUE(ReplaceFileBytes(file.c_str(), big, &error));
    EXPECT_TRUE(big == ReadWholeFile(file));
    EXPECT_EQ(0, LeftOver(folder));
    DeleteFileA(file.c_str());
}

TEST(FileReplace, TheReportTheCsvFileAndTheExportAreNeverTruncatedFirst)
{
    InstallSubjectTables();
    char directory[MAX_PATH], documents[MAX_PATH], user[128] = "";
    DWORD size = sizeof user;
    GetUserNameA(user, &size);
    GetCurrentDirectoryA(sizeof directory, directory);
    ASSERT_GT(DocumentsFolder(documents, sizeof documents), 0);
    const std::string folder = TempPath("replace-callers");
    CreateDirectoryA(folder.c_str(), nullptr);
    ASSERT_TRUE(SetCurrentDirectoryA(folder.c_str()));
    const std::string files[] = {folder + "\\VigilarkLog.txt", folder + "\\lists.csv",
                                 BesideTestProgram((std::string(user) + "-Vigilark.reg").c_str())};
    const std::string inDocuments = std::string(documents) + "\\VigilarkLog.txt";
    DeleteFileA(inDocuments.c_str());
    for (const std::string& file : files) WriteWholeFile(file, "earlier");
    OutputFile report, exported;
    DWORD error = 0;
    {
        FailingCalls failing(FailingCalls::WRITE, 0, ERROR_DISK_FULL);  // the documents folder's too
        EXPECT_FALSE(WriteReportFile(REPORT_TEXT, report));
        EXPECT_FALSE(WriteCsvFile(files[1].c_str(), &error));
        EXPECT_FALSE(WriteSettingsExport(exported));
    }
    for (const std::string& file : files) EXPECT_EQ("earlier", ReadWholeFile(file)) << file;
    EXPECT_EQ(ERROR_DISK_FULL, report.error);
    EXPECT_FALSE(Exists(inDocuments));

    // A write that fails after the usual place's file was made sends the report on to the
    // documents folder, as a file that cannot be made there does.
    {
        FailingCalls failing(FailingCalls::WRITE, 0, ERROR_DISK_FULL, 1);
        EXPECT_TRUE(WriteReportFile(REPORT_TEXT, report));
    }
    EXPECT_TRUE(report.inDocuments);
    EXPECT_EQ(inDocuments, report.path);
    EXPECT_EQ(files[0], report.firstTried);
    EXPECT_EQ("earlier", ReadWholeFile(files[0]));
    EXPECT_EQ(0u, ReadWholeFile(inDocuments).find("Title\tProgram\t"));
    EXPECT_EQ(0, LeftOver(folder));
    for (const std::string& file : files) DeleteFileA(file.c_str());
    DeleteFileA(inDocuments.c_str());
    SetCurrentDirectoryA(directory);
}
