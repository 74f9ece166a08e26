// history.txt: the line written for a change, the records read back from the bytes of the file
// (each line written ends "\r\r\n"), the newest lines of a long file, and undo lines.
#include "history/history.h"
#include "history/history_text.h"

#include "foundations/entries.h"

#include <gtest/gtest.h>

namespace {

std::vector<HistoryRecord> Parse(const std::string& text)
{
    std::vector<HistoryRecord> records;
    ParseHistoryText(text, records);
    return records;
}

// "date|title|command|extra"
std::string Fields(const HistoryRecord& record)
{
    return std::string(record.date) + "|" + record.title + "|" + record.command + "|" + record.extra;
}

std::string Line(WORD hour, WORD minute, const char* title, const char* command, const char* extra, int kind,
                 int action)
{
    std::string line;
    EXPECT_TRUE(FormatHistoryLine(SYSTEMTIME{2005, 3, 0, 7, hour, minute, 0, 0}, title, command, extra, kind, action, line));
    return line;
}

}  // namespace

TEST(HistoryLine, DateKeywordsAndFieldsJoinedByTabs)
{
    EXPECT_EQ("03/07/2005  12:05 AM\t*START_Remove\tCURRENT_RUN\tTitle\t\"C:\\a b\\x.exe\" /q\t",
              Line(0, 5, "Title", "\"C:\\a b\\x.exe\" /q", "", KIND_CURRENT_RUN, ACTION_START_REMOVE));
    EXPECT_EQ("03/07/2005  9:05 PM\tSERVICE__from_Disabled\tTYPE_EXTENSION\tBar\tC:\\bar.dll\tkey",
              Line(21, 5, "Bar", "C:\\bar.dll", "key", KIND_TYPE_TOOLBAR, ACTION_SERVICE_FROM_DISABLED));
    EXPECT_EQ("03/07/2005  12:00 PM\t\tUNKNOWN_TYPE\tType\tx\t", Line(12, 0, "Type", "x", "", KIND_FILETYPE, 16));
    // Tabs and line breaks in texts cannot forge lines or fields.
    std::string forged = Line(10, 0, "a\tb", "c\r\n01/01/2005  1:00 AM\t*START_Remove", "e", KIND_MACHINE_RUN, 0);
    EXPECT_EQ(std::string::npos, forged.find_first_of("\r\n"));
    std::vector<HistoryRecord> records = Parse(forged + "\r\r\n");
    ASSERT_EQ(1u, records.size());
    EXPECT_EQ("03/07/2005  10:00 AM|a b|c  01/01/2005  1:00 AM *START_Remove|e", Fields(records[0]));
    std::string line;
    EXPECT_FALSE(FormatHistoryLine(SYSTEMTIME{2005, 3, 0, 7, 10, 0, 0, 0}, "t", std::string(1100, 'c').c_str(), "", 1, 0,
                                   line)) << "a line that would not fit is refused";
}

TEST(HistoryParse, EveryKeywordInAnyCaseAndUnknownOnesLoadAsZero)
{
    std::vector<HistoryRecord> records =
        Parse("03/07/2005  12:05 AM\t*START_Remove\tCURRENT_RUN\tApp\t\"C:\\a b\\app.exe\" /q\tC:\\link.lnk\r\r\n"
              "d\tstart_enable\tvigilark_runonce\tLower\tc:\\l.exe\t\r\r\n"
              "d\tSOMETHING_Else\tNO_SUCH_KIND\tt\tc\te\r\r\n");
    ASSERT_EQ(3u, records.size());
    EXPECT_EQ("03/07/2005  12:05 AM|App|\"C:\\a b\\app.exe\" /q|C:\\link.lnk", Fields(records[0]));
    EXPECT_EQ(ACTION_START_ENABLE, records[1].action);
    EXPECT_EQ(32, records[1].kind);
    EXPECT_EQ(0, records[2].action);
    EXPECT_EQ(0, records[2].kind);
    for (int code = 0; code <= 20; ++code) {
        const char* keyword = ActionKeyword(code);
        ASSERT_EQ(code == 16, keyword == nullptr) << code;
        if (!keyword) continue;
        records = Parse(std::string("d\t") + keyword + "\tTASK_SCHEDULED\tt\tc\te\r\r\n");
        ASSERT_EQ(1u, records.size());
        EXPECT_EQ(code, records[0].action) << keyword;
        EXPECT_EQ(KIND_TASK_SCHEDULED, records[0].kind);
    }
}

TEST(HistoryParse, TooLongFieldsAreLeftEmptyNeverCut)
{
    std::vector<HistoryRecord> records = Parse(
        std::string(32, '1') + "\t*START_Remove\tMACHINE_RUN\t" + std::string(128, 't') + "\t" + std::string(259, 'c') +
        "\t" + std::string(300, 'e') + "\r\r\n" + std::string(31, '2') + "\t*START_Remove\tMACHINE_RUN\t" +
        std::string(127, 't') + "\t" + std::string(300, 'c') + "\t" + std::string(259, 'e') + "\r\r\n");
    ASSERT_EQ(2u, records.size());
    EXPECT_EQ("||" + std::string(259, 'c') + "|", Fields(records[0]));
    EXPECT_EQ(std::string(31, '2') + "|" + std::string(127, 't') + "||" + std::string(259, 'e'), Fields(records[1]));
}

TEST(HistoryParse, LineEndsAndHostileBytesNeverMakeARecordOfGarbage)
{
    static const char kWithNul[] = "d\tTASK_Kill\tINFO_TASK\tT\0X\tC\t\r\n";
    const struct { const char* what; std::string text; size_t records; const char* first; } kRows[] = {
        {"an empty line", "\r\r\n\n", 2, "|||"},
        {"fields past the seventh", "d\tTASK_Kill\tINFO_TASK\tt\tc\te\tnote\tmore\r\r\n", 1, "d|t|c|e"},
        {"a line feed alone keeps the last characters", "d\tTASK_Kill\tINFO_TASK\tt\tc\tunix\n", 1, "d|t|c|unix"},
        {"the last line without a line feed", "d\tTASK_Kill\tINFO_TASK\tt\tc\te", 0, ""},
        {"a bare carriage return", "d\tTASK_Kill\tINFO_TASK\tT\rU\tC\t\r\n", 1, "d|T\rU|C|"},
        {"a NUL byte", std::string(kWithNul, sizeof kWithNul - 1), 1, "d|T|C|"},
        {"a megabyte without a line feed", std::string(1 << 20, 'z'), 0, ""},
    };
    for (const auto& row : kRows) {
        SCOPED_TRACE(row.what);
        std::vector<HistoryRecord> records = Parse(row.text);
        ASSERT_EQ(row.records, records.size());
        EXPECT_EQ(row.first, records.empty() ? "" : Fields(records[0]));
    }
    std::vector<HistoryRecord> records = Parse("\r\r\n");
    EXPECT_EQ(0, ParseHistoryText(nullptr, 0, records));
    EXPECT_TRUE(records.empty());
}

TEST(NewestHistoryLines, TheWindowEndsTheFileAndStartsOnALine)
{
    auto line = [](int n) {
        return "01/02/2005  1:00 PM\tTASK_Kill\tINFO_TASK\tT" + std::to_string(n) + "\tC:\\x.exe\t\r\n";
    };
    const std::string two = line(1) + line(2);
    EXPECT_EQ(two, NewestHistoryLines(two, two.size()));
    EXPECT_EQ(line(2), NewestHistoryLines(two, line(2).size()));      // exactly the last line
    EXPECT_EQ(line(2), NewestHistoryLines(two, line(2).size() + 5));  // a cut first line is dropped
    EXPECT_EQ("", NewestHistoryLines(two, 5));                        // no whole line fits
    // A long file shows its newest lines, oldest of them first, none cut.
    std::string file;
    for (int n = 0; n < 10000; ++n) file += line(n);
    std::vector<HistoryRecord> records = Parse(NewestHistoryLines(file, HISTORY_READ_BYTES));
    ASSERT_FALSE(records.empty());
    EXPECT_STREQ("T9999", records.back().title);
    EXPECT_EQ((size_t)HISTORY_READ_BYTES / line(9999).size(), records.size());
}

// Each undo line marks exactly one earlier line, found by its own text; old readers take it
// for an ordinary change that cannot be undone.
TEST(UndoLines, EachUndoLineMarksTheLatestEarlierLineWithItsTextOnly)
{
    auto line = [](const char* date, const char* action, const char* command, const char* note = nullptr) {
        return std::string(date) + "\t" + action + "\tCURRENT_RUN\tTool\t" + command + "\t" +
               (note ? std::string("\t") + note : "") + "\r\n";
    };
    const char *am = "03/07/2005  9:00 AM", *pm = "03/07/2005  9:00 PM";
    char note[HISTORY_FIELD_CHARS];
    MakeUndoNote("*START_Remove", am, note, sizeof note);
    EXPECT_STREQ("Undo of *START_Remove 03/07/2005  9:00 AM", note);
    std::vector<HistoryRecord> records = Parse(
        line(am, "*START_Remove", "C:\\a.exe") + line(am, "*START_Remove", "C:\\a.exe") +
        line(am, "*START_Remove", "C:\\b.exe") + line(pm, "*START_Remove", "C:\\a.exe") +
        line(pm, "START_Restore", "C:\\a.exe", note));
    ASSERT_EQ(5u, records.size());
    // Of two identical lines the later is undone; another command or time is another change.
    const bool undone[] = {false, true, false, false, false};
    for (int i = 0; i < 5; ++i) EXPECT_EQ(undone[i], records[(size_t)i].undone) << i;
    EXPECT_EQ(ACTION_START_ENABLE, UndoneAsAction(ACTION_START_DISABLE));
    // An old reader sees a known action, and the note does not spill into the extra text.
    EXPECT_EQ(ACTION_START_RESTORE, records[4].action);
    EXPECT_EQ(std::string(pm) + "|Tool|C:\\a.exe|", Fields(records[4]));
    char keyword[HISTORY_KEYWORD_CHARS], date[HISTORY_DATE_CHARS];
    for (const char* other : {"Undo of  date", "undo of *START_Remove x", "Undo of X"})
        EXPECT_FALSE(ParseUndoNote(other, keyword, sizeof keyword, date, sizeof date)) << other;
}
