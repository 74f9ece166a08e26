// history.txt lines: the text written for a change and the records read back from text
// as the file reader delivers it (every line ending "\r\r\n").
#include "history/history.h"

#include "foundations/entries.h"

#include <gtest/gtest.h>

namespace {

std::vector<HistoryRecord> Parse(const std::string& text)
{
    std::vector<HistoryRecord> records;
    ParseHistoryText(text, records);
    return records;
}

std::string Line(WORD hour, WORD minute, const char* title, const char* command, const char* extra, int kind,
                 int action)
{
    SYSTEMTIME time = {2005, 3, 0, 7, hour, minute, 0, 0};
    std::string line;
    EXPECT_TRUE(FormatHistoryLine(time, title, command, extra, kind, action, line));
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
    EXPECT_STREQ("a b", records[0].title);
    EXPECT_STREQ("e", records[0].extra);
    // A line that would not fit is refused.
    std::string line;
    EXPECT_FALSE(
        FormatHistoryLine(SYSTEMTIME{2005, 3, 0, 7, 10, 0, 0, 0}, "t", std::string(1100, 'c').c_str(), "", 1, 0, line));
}

TEST(HistoryParse, FieldsKeywordsInAnyCaseAndCodes)
{
    std::vector<HistoryRecord> records = Parse(
        "03/07/2005  12:05 AM\t*START_Remove\tCURRENT_RUN\tApp\t\"C:\\a b\\app.exe\" /q\tC:\\link.lnk\r\r\n"
        "d\tstart_enable\tvigilark_runonce\tLower\tc:\\l.exe\t\r\r\n");
    ASSERT_EQ(2u, records.size());
    EXPECT_EQ(
        "03/07/2005  12:05 AM|App|\"C:\\a b\\app.exe\" /q|C:\\link.lnk",
        std::string(records[0].date) + "|" + records[0].title + "|" + records[0].command + "|" + records[0].extra);
    EXPECT_EQ(ACTION_START_REMOVE, records[0].action);
    EXPECT_EQ(KIND_CURRENT_RUN, records[0].kind);
    EXPECT_EQ(ACTION_START_ENABLE, records[1].action);
    EXPECT_EQ(32, records[1].kind);
}

TEST(HistoryParse, EveryActionKeywordIsRecognisedAndUnknownOnesLoadAsZero)
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
    std::vector<HistoryRecord> records = Parse("d\tSOMETHING_Else\tNO_SUCH_KIND\tt\tc\te\r\r\n");
    ASSERT_EQ(1u, records.size());
    EXPECT_EQ(0, records[0].action);
    EXPECT_EQ(0, records[0].kind);
}

TEST(HistoryParse, TooLongFieldsAreLeftEmptyNeverCut)
{
    std::vector<HistoryRecord> records = Parse(
        std::string(32, '1') + "\t*START_Remove\tMACHINE_RUN\t" + std::string(128, 't') + "\t" + std::string(259, 'c') +
        "\t" + std::string(300, 'e') + "\r\r\n" + std::string(31, '2') + "\t*START_Remove\tMACHINE_RUN\t" +
        std::string(127, 't') + "\t" + std::string(300, 'c') + "\t" + std::string(259, 'e') + "\r\r\n");
    ASSERT_EQ(2u, records.size());
    EXPECT_STREQ("", records[0].date);
    EXPECT_STREQ("", records[0].title);
    EXPECT_EQ(std::string(259, 'c'), records[0].command);
    EXPECT_STREQ("", records[0].extra);
    EXPECT_EQ(std::string(31, '2'), records[1].date);
    EXPECT_EQ(std::string(127, 't'), records[1].title);
    EXPECT_STREQ("", records[1].command);
    EXPECT_EQ(std::string(259, 'e'), records[1].extra);
}

TEST(HistoryParse, LineEndsEmptyLinesAndExtraFields)
{
    std::vector<HistoryRecord> records = Parse(
        "\r\r\n"
        "d\tTASK_Kill\tINFO_TASK\tt\tc\te\tmore\tfields\r\r\n"
        "d\tTASK_Kill\tINFO_TASK\tt\tc\tunix\n"
        "d\tTASK_Kill\tINFO_TASK\tt\tc\tlast line without a line feed");
    ASSERT_EQ(3u, records.size());
    EXPECT_STREQ("", records[0].title);
    EXPECT_EQ(0, records[0].kind);
    EXPECT_STREQ("e", records[1].extra);
    EXPECT_STREQ("unix", records[2].extra) << "a line without carriage returns keeps its last characters";
    EXPECT_EQ(ACTION_TASK_KILL, records[2].action);
    EXPECT_EQ(0, ParseHistoryText(nullptr, 0, records));
    EXPECT_TRUE(records.empty());
}
