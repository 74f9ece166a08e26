// A Startup or cookie folder's item takes the folder's long name, unless the fill has just
// deleted it: its text then stays as it is, as the system leaves a name that is not there.
#include "foundations/entries.h"
#include "foundations/fill_memo.h"
#include "support/testing.h"

#include <gtest/gtest.h>

TEST(FolderItemLongPath, AnItemJustDeletedKeepsItsText)
{
    std::string folder = TempPath("Folder With A Long Name");
    CreateDirectoryA(folder.c_str(), nullptr);
    ASSERT_TRUE(WriteWholeFile(folder + "\\kept.txt", "x") && WriteWholeFile(folder + "\\gone.txt", "x"));
    char shortFolder[MAX_PATH], out[MAX_PATH];
    ASSERT_GT(GetShortPathNameA(folder.c_str(), shortFolder, sizeof shortFolder), 0u);
    FillMemo fill;
    PrepareFolderItemLongPath(shortFolder, "kept.txt");
    PrepareFolderItemLongPath(shortFolder, "gone.txt", true);
    LongPathForm((std::string(shortFolder) + "\\kept.txt").c_str(), out, sizeof out);
    EXPECT_EQ(folder + "\\kept.txt", out);
    LongPathForm((std::string(shortFolder) + "\\gone.txt").c_str(), out, sizeof out);
    EXPECT_EQ(std::string(shortFolder) + "\\gone.txt", out);
}
