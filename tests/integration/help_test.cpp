// Where the help of a page is: beside the program, else on the server.
#include "foundations/paths.h"
#include "foundations/registry.h"
#include "resource.h"
#include "shell/help.h"
#include "shell/help_addresses.h"
#include "support/testing.h"
#include "support/views.h"
#include "version.h"

#include <gtest/gtest.h>

namespace {

// "<1 local, 0 the server's>|<the page>"
std::string Target(int command, WORD language)
{
    char target[WEB_ADDRESS_CHARS];
    int local = HelpTarget(command, language, target, sizeof target);
    return std::to_string(local) + "|" + target;
}

}  // namespace

TEST(HelpTarget, TheLocalFileWhenFoundElseThePageOnTheServer)
{
    // The build puts the help pages beside the executables, the test program's folder.
    EXPECT_EQ("1|" + BesideTestProgram("startup.html"), Target(CMD_STARTUP_PAGE, LANG_ENGLISH));
    for (const char* topic : {"cookies.html", "tasks.html", "options.html", "services.html", "scheduler.html",
                              "bho.html", "filetype.html", "features.html"})
        EXPECT_TRUE(Exists(BesideTestProgram(topic))) << topic;

    // A page of that name in the current or the Windows folder is nothing of the program's:
    // only the program's own folder counts, else the server's page.
    char previous[MAX_PATH], windows[MAX_PATH];
    GetCurrentDirectoryA(sizeof previous, previous);
    GetWindowsDirectoryA(windows, sizeof windows);
    std::string folder = TempPath("vigilark-help-test");
    CreateDirectoryA(folder.c_str(), nullptr);
    SetCurrentDirectoryA(folder.c_str());
    const std::string planted[] = {folder + "\\de_scheduler.html", std::string(windows) + "\\de_scheduler.html"};
    for (const std::string& page : planted) WriteWholeFile(page, "<html></html>");
    EXPECT_EQ("0|http://vigilark.invalid/de_scheduler.html", Target(CMD_SCHEDULED_PAGE, LANG_GERMAN));
    for (const std::string& page : planted) DeleteFileA(page.c_str());
    WriteWholeFile(BesideTestProgram("de_scheduler.html"), "<html></html>");
    EXPECT_EQ("1|" + BesideTestProgram("de_scheduler.html"), Target(CMD_SCHEDULED_PAGE, LANG_GERMAN));
    DeleteFileA(BesideTestProgram("de_scheduler.html").c_str());
    SetCurrentDirectoryA(previous);
    RemoveDirectoryA(folder.c_str());
}
