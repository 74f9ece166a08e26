// Undo from history.txt against the prefix: the line the user chose, found by its own text
// in a file that grew; once only; and never a file outside the Startup folders and the
// program's own "Removed" and "Disabled" folders.
#include "startup_bed.h"

#include "foundations/registry.h"
#include "startup/startup_actions.h"

namespace {

class StartupUndo : public bed::StartupBed {};

const char kDate[] = "03/07/2005  12:05 AM";

std::string Line(const char* action, const char* kind, const std::string& title, const std::string& command,
                 const std::string& extra)
{
    return std::string(kDate) + "\t" + action + "\t" + kind + "\t" + title + "\t" + command + "\t" + extra + "\r\n";
}

// Undoes the only line of a history file.
UndoStatus UndoOnly(const std::string& line)
{
    WriteWholeFile(HistoryFile(), line);
    EXPECT_EQ(1, LoadHistoryEntries());
    return UndoHistoryLine(0).status;
}

}  // namespace

TEST_F(StartupUndo, TheChosenLineIsUndoneOnceAlsoWhenTheFileGrew)
{
    // The monitor's lines fill the newest 128 KiB; two removals of one title follow.
    std::string filler;
    for (int i = 0; filler.size() <= HISTORY_READ_BYTES + 4096; ++i)
        filler += Line("START_Alert", "CURRENT_RUN", "Alert " + std::to_string(100000 + i), "C:\\alert.exe", "");
    const std::string first = Line("*START_Remove", "CURRENT_RUN", "Tool", "C:\\first.exe", "");
    WriteWholeFile(HistoryFile(), filler + first + Line("*START_Remove", "CURRENT_RUN", "Tool", "C:\\second.exe", ""));
    int count = LoadHistoryEntries();
    ASSERT_GT(count, 2);
    // The monitor appends while the dialog is open: every line moves up one place.
    WriteWholeFile(HistoryFile(), ReadWholeFile(HistoryFile()) +
                                           Line("START_Alert", "CURRENT_RUN", "Alert 999999", "C:\\alert.exe", ""));
    EXPECT_EQ(UNDO_DONE, UndoHistoryLine(count - 2).status);
    EXPECT_EQ("C:\\first.exe", bed::RunText(11, "Tool")) << "the chosen line, not the one now in its place";

    // The file says it was undone; a second undo changes nothing, even when the value is gone again.
    EXPECT_NE(std::string::npos, ReadWholeFile(HistoryFile()).find("\tSTART_Restore\tCURRENT_RUN\tTool\tC:\\first.exe\t\t"
                                                                      "Undo of *START_Remove 03/07/2005  12:05 AM\r\n"));
    DeleteRegValue(HKEY_CURRENT_USER, bed::RunKey(11).c_str(), "Tool");
    UndoOutcome again = UndoHistoryLine(count - 2);
    EXPECT_EQ(UNDO_ALREADY_UNDONE, again.status);
    EXPECT_NE(0u, again.message);
    EXPECT_EQ("<missing>", bed::RunText(11, "Tool"));
    LoadHistoryEntries();
    EXPECT_EQ(0, IsReversible(FindEntryIndex("Tool", "C:\\first.exe"))) << "Restore is offered no more";
    EXPECT_EQ(1, IsReversible(FindEntryIndex("Tool", "C:\\second.exe")));
}

TEST_F(StartupUndo, NoFileIsCreatedOrMovedOutsideTheStartupAndTheProgramsOwnFolders)
{
    const std::string outside = TempPath("vgk_outside.exe");
    ASSERT_TRUE(WriteWholeFile(outside, "MZ kept"));
    const struct {
        std::string line;
        std::string absent;  // the file the undo would have made
    } rows[] = {
        // A shortcut created outside the Startup folders.
        {Line("*START_Remove", "GROUP_STARTUP", "Planted", outside, TempPath("vgk_planted.lnk")),
         TempPath("vgk_planted.lnk")},
        // Any file "moved back" into a Startup folder from outside "Removed".
        {Line("*START_Remove", "GROUP_STARTUP", "Moved", outside, userStartup + "\\moved.exe"),
         userStartup + "\\moved.exe"},
        // An enable of the monitor's, undone by disabling: only a file in a Startup folder moves.
        {Line("START_Enable", "GROUP_STARTUP", "Elsewhere", outside, outside),
         bed::ProgramFolder("Disabled") + "\\vgk_outside.exe"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.line);
        EXPECT_EQ(UNDO_REFUSED, UndoOnly(row.line));
        EXPECT_TRUE(Exists(outside));
        EXPECT_FALSE(Exists(row.absent));
    }
    DeleteFileA(outside.c_str());
}
