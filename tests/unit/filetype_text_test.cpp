// The text rules of file types: the monitored list, extensions as typed, DefaultIcon texts
// and the program a command names (as the Command column shows it).
#include "filetypes/filetype_text.h"
#include "filetypes/filetypes.h"

#include <gtest/gtest.h>

#include <climits>

TEST(FileTypeText, MonitoredListAndTypedExtensions)
{
    const std::vector<std::string> pieces = SplitMonitoredList(("AVI;;bat;" + std::string(300, 'q') + ";ZIP").c_str());
    ASSERT_EQ(4u, pieces.size());
    EXPECT_EQ(FILETYPE_PIECE_CHARS, pieces[2].size());
    EXPECT_EQ("ZIP", pieces[3]) << "the last piece needs no separator";
    const struct { const char* list; const char* extension; bool has; const char* without; } rows[] = {
        {"AVI;BAT;TXT;", "bat", true, "AVI;TXT;"}, {"AVI;BAT;TXT;", "BA", false, "AVI;BAT;TXT;"},
        {"AVI;BAT;TXT", "txt", true, "AVI;BAT;"}, {"Html;HTML;", "html", true, ""}};
    for (const auto& row : rows) {
        EXPECT_EQ(row.has, MonitoredListHas(row.list, row.extension)) << row.list << " " << row.extension;
        EXPECT_EQ(row.without, MonitoredListWithout(row.list, row.extension)) << row.list << " " << row.extension;
    }
    // One dot goes; a separator, a key path or a control character make no extension.
    const struct { const char* typed; const char* bare; bool usable; } typed[] = {
        {".txt", "txt", true}, {"txt", "txt", true}, {"..t", ".t", true}, {".", "", false},
        {"a;b", "a;b", false}, {"a\\b", "a\\b", false}, {"a\tb", "a\tb", false}};
    for (const auto& row : typed) {
        EXPECT_EQ(row.bare, ExtensionWithoutDot(row.typed));
        EXPECT_EQ(row.usable, IsUsableExtension(ExtensionWithoutDot(row.typed))) << row.typed;
    }
}

TEST(FileTypeText, DefaultIconTextsGiveFileAndIndex)
{
    const struct { const char* text; bool comma; const char* file; int index; } rows[] = {
        {"C:\\icons\\set.dll,-154", true, "C:\\icons\\set.dll", -154},  // a resource id
        {"\"C:\\Program Files\\App\\app.exe\", 2", true, "C:\\Program Files\\App\\app.exe", 2},
        {"C:\\odd,name\\x.dll,1", true, "C:\\odd,name\\x.dll", 1},  // the last comma counts
        {"C:\\icons\\one.ico", false, "C:\\icons\\one.ico", 0},     // the file itself, index 0
        {"x.dll,99999999999999", true, "x.dll", INT_MAX}, {"x.dll,-99999999999999", true, "x.dll", INT_MIN},
        {"", false, "", 0},
    };
    for (const auto& row : rows) {
        std::string file = "old";
        int index = 42;
        EXPECT_EQ(row.comma, ParseIconLocation(row.text, file, &index)) << row.text;
        EXPECT_EQ(row.file + std::string(",") + std::to_string(row.index), file + "," + std::to_string(index));
    }
}

TEST(FileTypeText, CommandColumnNamesTheProgramOrSaysWhyNot)
{
    const struct { const char* command; const char* shown; } rows[] = {
        {"%1 %*", "Executable"}, {"%1 /s", "Executable"}, {"", "No Associated File"},
        {"\"C:\\Program Files\\App\\app.exe\" \"%1\"", "APP.EXE"},
        {"rundll32.exe C:\\windows\\system32\\shimgvw.dll,ImageView_Fullscreen %1", "SHIMGVW.DLL"},
        // The library also when the runner is named with its folder and in quotes.
        {"\"C:\\WINDOWS\\rundll32.exe\" \"C:\\a b\\c.dll\",Entry", "C.DLL"}, {"rundll32.exe", "RUNDLL32.EXE"},
    };
    for (const auto& row : rows) {
        char shown[260];
        FileTypeProgramName(row.command, shown, sizeof shown);
        EXPECT_STREQ(row.shown, shown) << row.command;
    }
}
