// Undo lines of history.txt: each marks exactly one earlier line, found by its own text,
// and old readers take it for an ordinary change that cannot be undone.
#include "history/history.h"
#include "history/history_text.h"
#include "iehelpers/iehelpers_actions.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

std::string Line(const char* date, const char* action, const char* command, const char* note = nullptr)
{
    std::string line = std::string(date) + "\t" + action + "\tCURRENT_RUN\tTool\t" + command + "\t";
    if (note) line += std::string("\t") + note;
    return line + "\r\n";
}

}  // namespace

TEST(UndoLines, EachUndoLineMarksTheLatestEarlierLineWithItsTextOnly)
{
    const char* am = "03/07/2005  9:00 AM";
    const char* pm = "03/07/2005  9:00 PM";
    char note[HISTORY_FIELD_CHARS];
    MakeUndoNote("*START_Remove", am, note, sizeof note);
    EXPECT_STREQ("Undo of *START_Remove 03/07/2005  9:00 AM", note);
    const std::string text = Line(am, "*START_Remove", "C:\\a.exe") + Line(am, "*START_Remove", "C:\\a.exe") +
                             Line(am, "*START_Remove", "C:\\b.exe") + Line(pm, "*START_Remove", "C:\\a.exe") +
                             Line(pm, "START_Restore", "C:\\a.exe", note);
    std::vector<HistoryRecord> records;
    ASSERT_EQ(5, ParseHistoryText(text, records));
    // Of two identical lines one change is undone: the later one. Another command, or the
    // same command at another time, is another change.
    const bool undone[] = {false, true, false, false, false};
    for (int i = 0; i < 5; ++i) EXPECT_EQ(undone[i], records[(size_t)i].undone) << i;
    EXPECT_EQ(ACTION_START_ENABLE, UndoneAsAction(ACTION_START_DISABLE));

    // An old reader sees a known action that it cannot undo, and its fields whole: the note, a
    // seventh field, does not spill into the extra text.
    EXPECT_EQ(ACTION_START_RESTORE, records[4].action);
    EXPECT_STREQ("C:\\a.exe", records[4].command);
    EXPECT_STREQ("", records[4].extra);

    char keyword[HISTORY_KEYWORD_CHARS], date[HISTORY_DATE_CHARS];
    for (const char* other : {"Undo of  date", "undo of *START_Remove x", "Undo of X"})
        EXPECT_FALSE(ParseUndoNote(other, keyword, sizeof keyword, date, sizeof date)) << other;
}

TEST(Regsvr32, OnlyTheSystemFoldersProgramOnAFullLibraryPathThatAddsNoArgument)
{
    const struct {
        const char* server;
        bool runs;
    } rows[] = {
        {"C:\\Program Files\\Addon\\helper.dll", true}, {"\\\\server\\share\\control.OCX", true},
        {"helper.dll", false},                          // the search path would decide which file
        {"C:\\Program Files\\Addon\\setup.exe", false},  // not a library
        {"C:\\a.dll\" /i:x \"C:\\b.dll", false},        // a quote would add arguments
    };
    for (const auto& row : rows) {
        std::string application, line;
        EXPECT_EQ(row.runs, Regsvr32Command("C:\\windows\\system32", "/u /s", row.server, application, line))
            << row.server;
        if (!row.runs) continue;
        EXPECT_EQ("C:\\windows\\system32\\regsvr32.exe", application);
        EXPECT_EQ("\"C:\\windows\\system32\\regsvr32.exe\" /u /s \"" + std::string(row.server) + "\"", line);
    }
}
