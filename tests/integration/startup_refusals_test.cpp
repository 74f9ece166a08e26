// A page asks whether a change would be refused before it offers to end the entry's
// program; that answer must be the one the change itself then gives, and asking must
// change nothing.
#include "startup_bed.h"

#include "startup/startup_actions.h"
#include "support/views.h"

#include <functional>

using bed::Listed;

namespace {

class StartupRefusals : public bed::StartupBed {};

const std::string kLongName = "LongName" + std::string(200, 'n');

struct Row {
    const char* what;
    int kind;
    std::string title;
    std::string command;
    std::function<void()> plant;  // what else the row needs
    StartupResult toggle;
    StartupResult remove;
};

// The whole state an action may touch: the entry's value, its marker and the history.
std::string Snapshot(const Row& row)
{
    return bed::RunText(row.kind, row.title) + "|" + bed::Stored(DISABLED_STORE_KEY, row.title.c_str()) + "|" +
           ReadWholeFile(bed::HistoryFile());
}

}  // namespace

TEST_F(StartupRefusals, CheckingGivesTheActionsAnswerAndChangesNothing)
{
    const Row rows[] = {
        {"another user's entry", 21, "Elsewhere", "C:\\Other\\user.exe", [] {}, STARTUP_OTHER_USER, STARTUP_OTHER_USER},
        {"a title already disabled", 11, "Twin", "C:\\User\\twin.exe",
         [] { PutRegString(HKEY_LOCAL_MACHINE, In32BitView(DISABLED_STORE_KEY), "Twin", "1"); }, STARTUP_TITLE_TAKEN,
         STARTUP_OK},
        {"a command too long for the history", 11, "LongOne", "\"C:\\Long Path\\app.exe\" " + std::string(400, 'x'),
         [] {}, STARTUP_OK, STARTUP_COMMAND_TOO_LONG},
        {"a name longer than the title field", 11, kLongName, "C:\\named.exe", [] {}, STARTUP_COMMAND_TOO_LONG,
         STARTUP_COMMAND_TOO_LONG},
        {"a plain entry", 11, "Plain", "C:\\plain.exe", [] {}, STARTUP_OK, STARTUP_OK},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        bed::SetRun(row.kind, row.title, row.command);
        row.plant();
        const Listed entry = bed::One(row.title.substr(0, ENTRY_TITLE_CHARS - 1));
        ASSERT_GE(entry.index, 0);
        const char* title = entry.title.c_str();
        const char* path = entry.path.c_str();
        const char* extra = entry.extra.c_str();

        const std::string before = Snapshot(row);
        EXPECT_EQ(row.toggle, CheckToggleStartupEntry(title, path, extra, entry.kind));
        EXPECT_EQ(row.remove, CheckRemoveStartupEntry(title, path, extra, entry.kind));
        EXPECT_EQ(before, Snapshot(row));

        EXPECT_EQ(row.remove, RemoveStartupEntry(title, path, extra, entry.kind));
        if (row.remove != STARTUP_OK) {
            EXPECT_EQ(before, Snapshot(row));
            EXPECT_EQ(row.toggle, ToggleStartupEntry(title, path, extra, entry.kind));
        }
        ResetProgramState();
    }
}
