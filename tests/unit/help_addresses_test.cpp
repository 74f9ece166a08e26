// Help topic names, the addresses on the maker's server and the command lines that open them.
#include "resource.h"
#include "shell/help.h"
#include "shell/help_addresses.h"

#include <gtest/gtest.h>

#include <string>

namespace {

const char kServer[] = "http://vigilark.invalid/";

std::string Topic(int command, WORD language)
{
    char topic[HELP_TOPIC_CHARS];
    HelpTopicFile(command, language, topic, sizeof topic);
    return topic;
}

std::string VersionCheck(const char* version, WORD language)
{
    char address[WEB_ADDRESS_CHARS];
    int length = VersionCheckAddress(kServer, version, language, address, sizeof address);
    EXPECT_EQ((int)strlen(address), length);
    return address;
}

LookupRequest Request(const char* program)
{
    LookupRequest request = {};
    request.server = kServer;
    request.program = program;
    request.companyName = "";
    request.productVersion = "";
    request.versionText = "5.0.0.1:5.0.0.2";
    request.type = 450;
    request.language = LANG_ENGLISH;
    request.escapeName = true;
    return request;
}

std::string Lookup(const LookupRequest& request)
{
    char address[WEB_ADDRESS_CHARS];
    ProgramLookupAddress(request, address, sizeof address);
    return address;
}

}  // namespace

TEST(HelpTopics, EachPageHasItsTopicAndOthersGetTheFeatureList)
{
    EXPECT_EQ("startup.html", Topic(CMD_STARTUP_PAGE, LANG_ENGLISH));
    EXPECT_EQ("cookies.html", Topic(CMD_COOKIES_PAGE, LANG_ENGLISH));
    EXPECT_EQ("tasks.html", Topic(CMD_TASKS_PAGE, LANG_ENGLISH));
    EXPECT_EQ("options.html", Topic(CMD_OPTIONS_PAGE, LANG_ENGLISH));
    EXPECT_EQ("services.html", Topic(CMD_SERVICES_PAGE, LANG_ENGLISH));
    EXPECT_EQ("scheduler.html", Topic(CMD_SCHEDULED_PAGE, LANG_ENGLISH));
    EXPECT_EQ("bho.html", Topic(CMD_IEHELPERS_PAGE, LANG_ENGLISH));
    EXPECT_EQ("filetype.html", Topic(CMD_FILETYPES_PAGE, LANG_ENGLISH));
    EXPECT_EQ("features.html", Topic(CMD_ABOUT_PAGE, LANG_ENGLISH));
    EXPECT_EQ("features.html", Topic(CMD_HISTORY_LIST, LANG_ENGLISH));
    EXPECT_EQ("features.html", Topic(0, LANG_ENGLISH));
}

TEST(HelpTopics, GermanFrenchAndSpanishArePrefixedItalianIsNot)
{
    EXPECT_EQ("de_scheduler.html", Topic(CMD_SCHEDULED_PAGE, LANG_GERMAN));
    EXPECT_EQ("fr_cookies.html", Topic(CMD_COOKIES_PAGE, LANG_FRENCH));
    EXPECT_EQ("es_features.html", Topic(CMD_MONITOR, LANG_SPANISH));
    EXPECT_EQ("startup.html", Topic(CMD_STARTUP_PAGE, LANG_ITALIAN));
    EXPECT_EQ("bho.html", Topic(CMD_IEHELPERS_PAGE, LANG_JAPANESE));
}

TEST(WebAddresses, VersionCheckSendsTheBuildAndFiveLanguages)
{
    EXPECT_EQ("http://vigilark.invalid/cgi-bin/version.pl?&build=5.0.0.1:5.0.0.2&Loc=it",
              VersionCheck("5.0.0.1:5.0.0.2", LANG_ITALIAN));
    EXPECT_EQ("http://vigilark.invalid/cgi-bin/version.pl?&build=5.0.0.1&Loc=es", VersionCheck("5.0.0.1", LANG_SPANISH));
    EXPECT_EQ("http://vigilark.invalid/cgi-bin/version.pl?&build=5.0.0.1&Loc=de", VersionCheck("5.0.0.1", LANG_GERMAN));
    EXPECT_EQ("http://vigilark.invalid/cgi-bin/version.pl?&build=5.0.0.1&Loc=fr", VersionCheck("5.0.0.1", LANG_FRENCH));
    EXPECT_EQ("http://vigilark.invalid/cgi-bin/version.pl?&build=&Loc=en", VersionCheck("", LANG_DUTCH));
}

TEST(WebAddresses, LookupSendsTheProgramFileNameInUpperCase)
{
    LookupRequest request = Request("C:\\Program Files\\My App\\tool.exe -x");
    request.companyName = "Big Soft Inc.";
    request.productVersion = "2.1 beta";
    EXPECT_EQ("http://vigilark.invalid/cgi-bin/roroinfo.pl?program=TOOL.EXE&vendor=Big%20Soft%20Inc."
              "&version=2.1%20beta&build=5.0.0.1:5.0.0.2&Type=450&Loc=en",
              Lookup(request));
}

TEST(WebAddresses, LookupLanguageIsEnglishGermanOrFrenchOnly)
{
    LookupRequest request = Request("C:\\x\\a.exe");
    request.type = 7;
    request.language = LANG_ITALIAN;
    EXPECT_EQ("http://vigilark.invalid/cgi-bin/roroinfo.pl?program=A.EXE&vendor=&version=&build=5.0.0.1:5.0.0.2"
              "&Type=7&Loc=en",
              Lookup(request));
    request.language = LANG_SPANISH;
    EXPECT_NE(std::string::npos, Lookup(request).find("&Loc=en"));
    request.language = LANG_GERMAN;
    EXPECT_NE(std::string::npos, Lookup(request).find("&Loc=de"));
    request.language = LANG_FRENCH;
    EXPECT_NE(std::string::npos, Lookup(request).find("&Loc=fr"));
}

TEST(WebAddresses, BlanksInTheNameAreEscapedForTheBrowserOnly)
{
    LookupRequest request = Request("\"C:\\My Tools\\big tool.exe\" /s");
    EXPECT_EQ(0u, Lookup(request).find("http://vigilark.invalid/cgi-bin/roroinfo.pl?program=BIG%20TOOL.EXE&vendor="));
    request.escapeName = false;
    EXPECT_EQ(0u, Lookup(request).find("http://vigilark.invalid/cgi-bin/roroinfo.pl?program=BIG TOOL.EXE&vendor="));
}

TEST(WebAddresses, TypedNamesWithoutAFolderAreSentWhole)
{
    char name[64];
    EXPECT_EQ(11, LookupProgramName("notepad.exe", name, sizeof name));
    EXPECT_STREQ("NOTEPAD.EXE", name);
    EXPECT_EQ(8, LookupProgramName("c:\\TOOL.exe", name, sizeof name));
    EXPECT_STREQ("TOOL.EXE", name);
    EXPECT_EQ(0, LookupProgramName("", name, sizeof name));
    EXPECT_STREQ("", name);
    EXPECT_EQ(0u, Lookup(Request("")).find("http://vigilark.invalid/cgi-bin/roroinfo.pl?program=&vendor=&"));
}

TEST(WebAddresses, AnAddressThatDoesNotFitIsRefusedNotCut)
{
    char small[40];
    EXPECT_EQ(0, VersionCheckAddress(kServer, "5.0.0.1", LANG_ENGLISH, small, sizeof small));
    EXPECT_STREQ("", small);
    EXPECT_EQ(0, ProgramLookupAddress(Request("C:\\a\\b.exe"), small, sizeof small));
    EXPECT_STREQ("", small);

    char news[64];
    EXPECT_EQ(33, ServerPageAddress(kServer, "news.html", news, sizeof news));
    EXPECT_STREQ("http://vigilark.invalid/news.html", news);
    EXPECT_EQ(0, ServerPageAddress(kServer, "news.html", news, 33));
}

TEST(WebCommands, AolClientTakesTheAddressAfterItsSwitch)
{
    char command[WEB_COMMAND_CHARS];
    AolCommandLine("C:\\Program Files\\AOL", "http://vigilark.invalid/news.html", false, command, sizeof command);
    EXPECT_STREQ("C:\\Program Files\\AOL\\WAOL.EXE -uhttp://vigilark.invalid/news.html", command);
    AolCommandLine("", "http://vigilark.invalid/de_startup.html", false, command, sizeof command);
    EXPECT_STREQ("waol.exe -uhttp://vigilark.invalid/de_startup.html", command);
    // A looked-up name may hold blanks: the address stays one argument.
    AolCommandLine("", "http://vigilark.invalid/cgi-bin/roroinfo.pl?program=BIG TOOL.EXE", true, command,
                   sizeof command);
    EXPECT_STREQ("waol.exe -u\"http://vigilark.invalid/cgi-bin/roroinfo.pl?program=BIG TOOL.EXE\"", command);
}

TEST(WebCommands, InternetExplorerFromItsAppPath)
{
    char command[WEB_COMMAND_CHARS];
    IeCommandLine("C:\\Program Files\\Internet Explorer;", "http://a.invalid/x", command, sizeof command);
    EXPECT_STREQ("C:\\Program Files\\Internet Explorer\\iexplore.exe http://a.invalid/x", command);
    IeCommandLine("C:\\IE", "http://a.invalid/x", command, sizeof command);
    EXPECT_STREQ("C:\\IE\\iexplore.exe http://a.invalid/x", command);
    IeCommandLine("", "http://a.invalid/x", command, sizeof command);
    EXPECT_STREQ("iexplore.exe http://a.invalid/x", command);
}
