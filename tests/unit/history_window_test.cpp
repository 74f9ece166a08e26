// The newest lines of a long history, and hostile bytes in the history scan.
#include "history/history.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

std::string Line(int n) { return "01/02/2005  1:00 PM\tTASK_Kill\tINFO_TASK\tT" + std::to_string(n) + "\tC:\\x.exe\t\r\n"; }

}  // namespace

TEST(NewestHistoryLines, TheWindowEndsTheFileAndStartsOnALine)
{
    const std::string short_ = Line(1) + Line(2);
    EXPECT_EQ(short_, NewestHistoryLines(short_, short_.size()));
    EXPECT_EQ(Line(2), NewestHistoryLines(short_, Line(2).size()));      // exactly the last line
    EXPECT_EQ(Line(2), NewestHistoryLines(short_, Line(2).size() + 5));  // a cut first line is dropped
    EXPECT_EQ("", NewestHistoryLines(short_, 5));                        // no whole line fits

    // A long file shows its newest lines, oldest of them first, none cut.
    std::string file;
    for (int n = 0; n < 10000; ++n) file += Line(n);
    std::vector<HistoryRecord> records;
    ParseHistoryText(NewestHistoryLines(file, HISTORY_READ_BYTES), records);
    ASSERT_FALSE(records.empty());
    EXPECT_EQ("T9999", std::string(records.back().title));
    EXPECT_EQ((size_t)HISTORY_READ_BYTES / Line(9999).size(), records.size());
    for (const HistoryRecord& record : records) ASSERT_EQ(ACTION_TASK_KILL, record.action);
}

TEST(HistoryScan, HostileBytesNeverMakeARecordOfGarbage)
{
    static const char kWithNul[] = "d\tTASK_Kill\tINFO_TASK\tT\0X\tC\t\r\n";
    const struct {
        const char* what;
        std::string text;
        size_t records;
        const char* title;
        const char* command;
    } kRows[] = {
        {"a bare carriage return", "d\tTASK_Kill\tINFO_TASK\tT\rU\tC\t\r\n", 1, "T\rU", "C"},
        {"a NUL byte", std::string(kWithNul, sizeof kWithNul - 1), 1, "T", "C"},
        {"no line feed at all", "d\tTASK_Kill\tINFO_TASK\tT\tC\t", 0, "", ""},
        {"empty lines", "\r\n\n", 2, "", ""},
    };
    for (const auto& row : kRows) {
        SCOPED_TRACE(row.what);
        std::vector<HistoryRecord> records;
        ASSERT_EQ(row.records, (size_t)ParseHistoryText(row.text, records));
        if (records.empty()) continue;
        EXPECT_EQ(std::string(row.title), records[0].title);
        EXPECT_EQ(std::string(row.command), records[0].command);
    }

    // A megabyte without a single line feed is no record and no overrun.
    std::vector<HistoryRecord> records;
    EXPECT_EQ(0, ParseHistoryText(std::string(1 << 20, 'z'), records));
}
