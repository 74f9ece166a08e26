// history.txt lines: the text written for a change and the records read back from text
// as the file reader delivers it (every line ending "\r\r\n").
#include "history/history.h"

#include "foundations/entries.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

std::vector<HistoryRecord> Parse(const std::string& text)
{
    std::vector<HistoryRecord> records;
    ParseHistoryText(text, records);
    return records;
}

SYSTEMTIME At(WORD year, WORD month, WORD day, WORD hour, WORD minute)
{
    SYSTEMTIME time = {};
    time.wYear = year;
    time.wMonth = month;
    time.wDay = day;
    time.wHour = hour;
    time.wMinute = minute;
    return time;
}

}  // namespace

TEST(HistoryLine, DateKeywordsAndFieldsJoinedByTabs)
{
    std::string line;
    ASSERT_TRUE(FormatHistoryLine(At(2005, 3, 7, 0, 5), "Title", "\"C:\\a b\\x.exe\" /q", "", KIND_CURRENT_RUN,
                                  ACTION_START_REMOVE, line));
    EXPECT_EQ("03/07/2005  12:05 AM\t*START_Remove\tCURRENT_RUN\tTitle\t\"C:\\a b\\x.exe\" /q\t", line);
    ASSERT_TRUE(FormatHistoryLine(At(2005, 12, 31, 21, 5), "Bar", "C:\\bar.dll", "key", KIND_TYPE_TOOLBAR,
                                  ACTION_SERVICE_FROM_DISABLED, line));
    EXPECT_EQ("12/31/2005  9:05 PM\tSERVICE__from_Disabled\tTYPE_EXTENSION\tBar\tC:\\bar.dll\tkey", line);
    ASSERT_TRUE(FormatHistoryLine(At(2005, 1, 1, 12, 0), "Type", "x", "", KIND_FILETYPE, 16, line));
    EXPECT_EQ("01/01/2005  12:00 PM\t\tUNKNOWN_TYPE\tType\tx\t", line);
}

TEST(HistoryLine, TabsAndLineBreaksInTextsCannotForgeLines)
{
    std::string line;
    ASSERT_TRUE(FormatHistoryLine(At(2005, 3, 7, 10, 0), "a\tb", "c\r\n01/01/2005  1:00 AM\t*START_Remove", "e",
                                  KIND_MACHINE_RUN, ACTION_START_REMOVE, line));
    EXPECT_EQ(std::string::npos, line.find('\n'));
    EXPECT_EQ(std::string::npos, line.find('\r'));
    std::vector<HistoryRecord> records = Parse(line + "\r\r\n");
    ASSERT_EQ(1u, records.size());
    EXPECT_STREQ("a b", records[0].title);
    EXPECT_STREQ("e", records[0].extra);
}

TEST(HistoryLine, ALineThatWouldNotFitIsRefused)
{
    std::string line;
    EXPECT_FALSE(FormatHistoryLine(At(2005, 3, 7, 10, 0), "t", std::string(1100, 'c').c_str(), "", 1, 0, line));
}

TEST(HistoryParse, FieldsKeywordsAndCodes)
{
    std::vector<HistoryRecord> records =
        Parse("03/07/2005  12:05 AM\t*START_Remove\tCURRENT_RUN\tApp\t\"C:\\a b\\app.exe\" /q\tC:\\link.lnk\r\r\n"
              "03/08/2005  1:00 PM\tScheduledTask_Remove\tTYPE_MONITOR\tExt\tC:\\ext.dll\t\r\r\n"
              "03/09/2005  2:00 PM\tstart_enable\tvigilark_runonce\tLower\tc:\\l.exe\t\r\r\n");
    ASSERT_EQ(3u, records.size());
    EXPECT_STREQ("03/07/2005  12:05 AM", records[0].date);
    EXPECT_EQ(ACTION_START_REMOVE, records[0].action);
    EXPECT_EQ(KIND_CURRENT_RUN, records[0].kind);
    EXPECT_STREQ("App", records[0].title);
    EXPECT_STREQ("\"C:\\a b\\app.exe\" /q", records[0].command);
    EXPECT_STREQ("C:\\link.lnk", records[0].extra);
    EXPECT_EQ(ACTION_SCHEDULED_TASK_REMOVE, records[1].action);
    EXPECT_EQ(KIND_TYPE_EXTENSION, records[1].kind);
    EXPECT_STREQ("", records[1].extra);
    EXPECT_EQ(ACTION_START_ENABLE, records[2].action);
    EXPECT_EQ(32, records[2].kind);
}

TEST(HistoryParse, EveryActionKeywordIsRecognised)
{
    for (int code = 0; code <= 20; ++code) {
        const char* keyword = ActionKeyword(code);
        if (code == 16) {
            EXPECT_EQ(nullptr, keyword);
            continue;
        }
        ASSERT_NE(nullptr, keyword) << code;
        std::vector<HistoryRecord> records = Parse(std::string("d\t") + keyword + "\tTASK_SCHEDULED\tt\tc\te\r\r\n");
        ASSERT_EQ(1u, records.size());
        EXPECT_EQ(code, records[0].action) << keyword;
        EXPECT_EQ(KIND_TASK_SCHEDULED, records[0].kind);
    }
}

TEST(HistoryParse, UnknownKeywordsLoadAsCodeZero)
{
    std::vector<HistoryRecord> records = Parse("d\tSOMETHING_Else\tNO_SUCH_KIND\tt\tc\te\r\r\n");
    ASSERT_EQ(1u, records.size());
    EXPECT_EQ(0, records[0].action);
    EXPECT_EQ(0, records[0].kind);
}

TEST(HistoryParse, TooLongFieldsAreLeftEmpty)
{
    std::string date32(32, '1');
    std::string title128(128, 't');
    std::string command259(259, 'c');
    std::string extra300(300, 'e');
    std::vector<HistoryRecord> records =
        Parse(date32 + "\t*START_Remove\tMACHINE_RUN\t" + title128 + "\t" + command259 + "\t" + extra300 + "\r\r\n" +
              std::string(31, '2') + "\t*START_Remove\tMACHINE_RUN\t" + std::string(127, 't') + "\t" +
              std::string(300, 'c') + "\t" + std::string(259, 'e') + "\r\r\n");
    ASSERT_EQ(2u, records.size());
    EXPECT_STREQ("", records[0].date);
    EXPECT_STREQ("", records[0].title);
    EXPECT_EQ(command259, records[0].command);
    EXPECT_STREQ("", records[0].extra) << "never a cut text";
    EXPECT_EQ(std::string(31, '2'), records[1].date);
    EXPECT_EQ(127u, strlen(records[1].title));
    EXPECT_STREQ("", records[1].command);
    EXPECT_EQ(std::string(259, 'e'), records[1].extra);
}

TEST(HistoryParse, LineEndsEmptyLinesAndExtraFields)
{
    std::vector<HistoryRecord> records =
        Parse("\r\r\n"
              "d\tTASK_Kill\tINFO_TASK\tt\tc\te\tmore\tfields\r\r\n"
              "d\tTASK_Kill\tINFO_TASK\tt\tc\tunix\n"
              "d\tTASK_Kill\tINFO_TASK\tt\tc\tlast line without a line feed");
    ASSERT_EQ(3u, records.size());
    EXPECT_STREQ("", records[0].title);
    EXPECT_STREQ("", records[0].date);
    EXPECT_EQ(0, records[0].kind);
    EXPECT_STREQ("e", records[1].extra);
    EXPECT_STREQ("unix", records[2].extra) << "a line without carriage returns keeps its last characters";
    EXPECT_EQ(ACTION_TASK_KILL, records[2].action);
    EXPECT_EQ(0, ParseHistoryText(nullptr, 0, records));
    EXPECT_TRUE(records.empty());
}
