// The resident monitor's rules for one finding: what becomes of it, which choices its alert
// offers, how it is written to history.txt, and what the known lists count as known.
#include "app/start.h"
#include "foundations/entries.h"
#include "history/history.h"
#include "monitor/findings.h"
#include "startup/startup_patrol.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

const PatrolPlace& Place(const char* name)
{
    InstallPatrolPlaces();
    for (int i = 0; i < PatrolPlaceCount(); ++i)
        if (strcmp(PatrolPlaceAt(i)->name, name) == 0) return *PatrolPlaceAt(i);
    ADD_FAILURE() << "no place " << name;
    return *PatrolPlaceAt(0);
}

PatrolItem Item(bool known, bool changed = false, int settled = -1)
{
    return PatrolItem{"Updater", "C:\\Program Files\\Up\\up.exe", "", "", "", "11|Updater", KIND_CURRENT_RUN, 0,
                      known, changed, settled};
}

}  // namespace

TEST(MonitorFindings, EachItemMeetsOneFate)
{
    const struct { const char* place; PatrolItem item; bool own, reported, hide; FindingFate fate; const char* why; } rows[] = {
        {"Startup", Item(false), false, false, false, FATE_ALERT, "a new entry"},
        {"Startup", Item(true), false, false, false, FATE_NONE, "on the known list"},
        {"Startup", Item(false), true, false, false, FATE_NONE, "the console's or the monitor's own entry"},
        {"Startup", Item(false), false, true, false, FATE_NONE, "reported once a session"},
        {"Startup", Item(false), false, false, true, FATE_HIDDEN, "alerts hidden for this user"},
        {"Startup", Item(true, false, ACTION_START_DISABLE), false, false, true, FATE_SETTLED, "disabled again"},
        {"Blacklist", Item(false), false, false, false, FATE_AUTOMATIC, "ended without asking"},
        {"Blacklist", Item(false), false, false, true, FATE_AUTOMATIC, "ended also when alerts are hidden"},
        {"HostFile", Item(false, true), false, false, false, FATE_ALERT, "a changed file"},
    };
    for (const auto& row : rows)
        EXPECT_EQ(row.fate, DecideFinding(Place(row.place), row.item, row.own, row.reported, row.hide)) << row.why;
}

TEST(MonitorFindings, AnAlertOffersWhatFitsTheFinding)
{
    const unsigned all = CHOICE_ALLOW | CHOICE_DISABLE | CHOICE_REMOVE | CHOICE_RESTORE | CHOICE_ACCEPT | CHOICE_END;
    const struct { unsigned subject; bool changed; unsigned offered; const char* why; } rows[] = {
        {CHOICE_DISABLE | CHOICE_REMOVE, false, CHOICE_ALLOW | CHOICE_DISABLE | CHOICE_REMOVE, "a new startup entry"},
        {0, false, CHOICE_ALLOW, "another user's entry: only Allow"},
        {CHOICE_RESTORE, true, CHOICE_ACCEPT | CHOICE_RESTORE, "a changed HOSTS file"},
        {0, true, CHOICE_ACCEPT, "a changed file type without its exact copy: no Restore"},
        {CHOICE_RESTORE, false, CHOICE_ALLOW, "nothing to put back for a new thing"},
        {all, false, CHOICE_ALLOW | CHOICE_DISABLE | CHOICE_REMOVE, "End and Accept never on a new thing's alert"},
    };
    for (const auto& row : rows) EXPECT_EQ(row.offered, OfferedChoices(row.subject, Item(false, row.changed))) << row.why;
}

TEST(MonitorFindings, EveryEventIsOneHistoryLineWithTheMonitorsCodes)
{
    const PatrolItem hosts{"HOSTS", "C:\\windows\\system32\\drivers\\etc\\HOSTS", "", "", "", "HOSTS", KIND_HOSTS_FILE, 0,
                           false, true};
    const struct { const char* place; PatrolItem item; FindingEvent event; const char* line; } rows[] = {
        {"Startup", Item(false), EVENT_FOUND, "START_Alert\tCURRENT_RUN\tUpdater\tC:\\Program Files\\Up\\up.exe\t"},
        {"Startup", Item(false), EVENT_ALLOWED, "MONITOR_Allow\tCURRENT_RUN\tUpdater"},
        {"Startup", Item(false), EVENT_DISABLED, "START_Disable\tCURRENT_RUN\tUpdater"},
        {"Startup", Item(true, false, ACTION_START_DISABLE), EVENT_SETTLED, "START_Disable\tCURRENT_RUN"},
        {"Startup", Item(false), EVENT_REMOVED, nullptr},  // the removal writes "*START_Remove" itself
        {"IEHelpers", Item(false), EVENT_FOUND, "IEHELPER_Alert"}, {"Tasks", Item(false), EVENT_FOUND, "TASK_Alert"},
        {"Tasks", Item(false), EVENT_REMOVED, "ScheduledTask_Remove"},
        {"Services", Item(false), EVENT_FOUND, "MONITOR_Alert"}, {"Cookies", Item(false), EVENT_ALLOWED, nullptr},
        {"HostFile", hosts, EVENT_FOUND, "MONITOR_Alert\tTYPE_HOSTS\tHOSTS\tC:\\windows\\system32\\drivers\\etc\\HOSTS"},
        {"HostFile", hosts, EVENT_RESTORED, "MONITOR_Restore\tTYPE_HOSTS"},
        {"StartPage", Item(false, true), EVENT_RESTORED, "START_Restore"},
        {"Blacklist", Item(false), EVENT_ENDED, nullptr},  // EndProgram writes "TASK_Kill"
    };
    for (const auto& row : rows) {
        FindingLine line;
        bool written = FindingLineFor(Place(row.place), row.item, row.event, line);
        ASSERT_EQ(row.line != nullptr, written) << row.place << " " << row.event;
        if (!written) continue;
        std::string text;
        ASSERT_TRUE(FormatHistoryLine(SYSTEMTIME{2005, 3, 1, 7, 0, 5, 0, 0}, line.title.c_str(), line.command.c_str(),
                                      line.extra.c_str(), line.kind, line.action, text));
        EXPECT_NE(std::string::npos, text.find(row.line)) << text;
    }
}

TEST(MonitorFindings, ItsOwnAreTheProgramsOfItsFolderAndAStartupEntryIsKnownByCommandOrTitle)
{
    const char* folder = "C:\\Program Files\\Vigilark";
    const struct { const char* command; bool own; } rows[] = {
        {"C:\\Program Files\\Vigilark\\vigilark.exe", true}, {"C:\\Program Files\\Other\\vigilark.exe", false},
        {"\"C:\\PROGRAM FILES\\VIGILARK\\VigilarkEx.exe\" -START", true}, {"", false},
        {"C:\\Program Files\\Vigilark\\vigilark_helper.exe", false},
    };
    for (const auto& row : rows) EXPECT_EQ(row.own, IsOwnProgram(row.command, folder)) << row.command;
    KnownList known;
    known.Assign({"C:\\Tools\\a.exe /x:1", "Mail Checker", "c:\\tools\\B.EXE"});
    const struct { const char* title; const char* path; bool known; } entries[] = {
        {"A", "C:\\Tools\\a.exe /x=1", true},  // recorded with ":" for "="
        {"B", "C:\\TOOLS\\b.exe", true},       // the registry ignores case
        {"Mail Checker", "C:\\New\\mail.exe", true}, {"", "C:\\Tools\\c.exe", false}, {"C", "C:\\Tools\\a.exe", false},
    };
    for (const auto& row : entries) EXPECT_EQ(row.known, IsKnownStartupEntry(known, row.title, row.path)) << row.path;
}
