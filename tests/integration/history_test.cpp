// history.txt beside the program: appending lines, the History option, reading the file
// into the entry list and undoing what can be undone.
#include "startup_bed.h"

#include "foundations/settings.h"
#include "history/history.h"

#include <regex>

namespace {

class HistoryFile : public bed::StartupBed {
protected:
    ScratchKey options_{HKEY_CURRENT_USER, VIGILARK_OPTIONS_KEY};

    void TearDown() override
    {
        DeleteRegValue(HKEY_CURRENT_USER, VIGILARK_OPTIONS_KEY, "History");
        DeleteRegValue(HKEY_CURRENT_USER, VIGILARK_OPTIONS_KEY, "Update");
        bed::StartupBed::TearDown();
    }
};

}  // namespace

TEST_F(HistoryFile, AppendsOneDatedLinePerChange)
{
    ASSERT_EQ(1, AppendHistory("Title", "C:\\x.exe /a", "", KIND_CURRENT_RUN, ACTION_START_REMOVE));
    ASSERT_EQ(1, AppendHistory("Odd", "C:\\odd.exe", "extra", 4242, ACTION_SCHEDULED_TASK_REMOVE));
    std::string text = bed::FileText(bed::HistoryFile());
    const std::string date = "\\d\\d/\\d\\d/\\d{4}  \\d{1,2}:\\d\\d [AP]M";
    std::regex line(date + "\t\\*START_Remove\tCURRENT_RUN\tTitle\tC:\\\\x\\.exe /a\t\r\n" + date +
                    "\tScheduledTask_Remove\tUNKNOWN_TYPE\tOdd\tC:\\\\odd\\.exe\textra\r\n");
    EXPECT_TRUE(std::regex_match(text, line)) << text;
}

TEST_F(HistoryFile, NothingIsWrittenWithHistoryOff)
{
    ASSERT_EQ(1, SetOption("History", 0));
    EXPECT_EQ(0, AppendHistory("Title", "C:\\x.exe", "", KIND_CURRENT_RUN, ACTION_START_REMOVE));
    EXPECT_FALSE(bed::Exists(bed::HistoryFile()));
}

TEST_F(HistoryFile, LinesOfTheMonitorLoadAndOnlyRemovalsAreReversible)
{
    bed::PutFile(bed::HistoryFile(),
                 "03/07/2005  12:05 AM\tSTART_Disable\tMACHINE_RUN\tMon\tC:\\mon.exe\t\r\n"
                 "03/07/2005  12:06 AM\tTYPE_UNHEARD\tTYPE_EXTENSION\tBar\tC:\\bar.dll\tkey\r\n"
                 "03/07/2005  12:07 AM\tSERVICE__from_Disabled\tSERVICE_EXE\tSvc\tC:\\svc.exe\t\r\n");
    ASSERT_EQ(3, LoadHistoryEntries());
    EXPECT_EQ(ACTION_START_DISABLE, GetEntryValue(0));
    EXPECT_EQ(KIND_TYPE_TOOLBAR, GetEntryKind(1));
    EXPECT_EQ(0, GetEntryValue(1)) << "an unknown action keyword loads as code 0";
    EXPECT_EQ(ACTION_SERVICE_FROM_DISABLED, GetEntryValue(2));
    char detail[ENTRY_DETAIL_CHARS];
    GetEntryDetail(0, detail);
    EXPECT_STREQ("03/07/2005  12:05 AM", detail);
    EXPECT_EQ(0, IsReversible(0));
    EXPECT_EQ(1, IsReversible(1));
    EXPECT_EQ(0, IsReversible(2));
    EXPECT_EQ(0, UndoHistoryEntry(2)) << "a service change has no undo";
}

TEST_F(HistoryFile, UndoOfAMonitorDisableTogglesTheEntry)
{
    bed::SetRun(1, "Mon", "C:\\mon.exe");
    bed::PutFile(bed::HistoryFile(), "03/07/2005  12:05 AM\tSTART_Disable\tMACHINE_RUN\tMon\tC:\\mon.exe\t\r\n");
    ASSERT_EQ(1, LoadHistoryEntries());
    ASSERT_EQ(1, UndoHistoryEntry(0));
    EXPECT_FALSE(bed::RunValue(1, "Mon").exists);
    EXPECT_EQ("C:\\mon.exe", bed::Text(bed::ReadRaw(HKEY_LOCAL_MACHINE, DISABLED_STORE_KEY "\\Run", "Mon")));
}

TEST_F(HistoryFile, UndoRefusesWhenTheFileNoLongerHoldsTheLine)
{
    bed::PutFile(bed::HistoryFile(), "03/07/2005  12:05 AM\t*START_Remove\tMACHINE_RUN\tFirst\tC:\\first.exe\t\r\n");
    ASSERT_EQ(1, LoadHistoryEntries());
    bed::PutFile(bed::HistoryFile(), "03/07/2005  12:05 AM\t*START_Remove\tMACHINE_RUN\tOther\tC:\\other.exe\t\r\n");
    EXPECT_EQ(0, UndoHistoryEntry(0));
    EXPECT_FALSE(bed::RunValue(1, "First").exists);
    EXPECT_FALSE(bed::RunValue(1, "Other").exists);
}

TEST_F(HistoryFile, UndoOfAHelperRemovalRegistersItAgain)
{
    bed::PutFile(bed::HistoryFile(),
                 "03/07/2005  12:05 AM\tIEHELPER_Remove\tTYPE_BHO\thelper.dll\tC:\\No Such\\helper.dll\tkey\r\n");
    ASSERT_EQ(1, LoadHistoryEntries());
    EXPECT_EQ(0, IsReversible(0));
    // regsvr32 is started (it fails quietly on the missing file with /s).
    EXPECT_EQ(1, UndoHistoryEntry(0));
}
