// The addresses on the maker's server and the command line that opens them in the AOL client.
#include "shell/help_addresses.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

namespace {

const char kServer[] = "http://vigilark.invalid/";
const std::string kLookup = "http://vigilark.invalid/cgi-bin/roroinfo.pl?program=";

std::string Lookup(const char* program, WORD language = LANG_ENGLISH, const char* company = "", const char* version = "",
                   bool escapeName = true)
{
    char address[WEB_ADDRESS_CHARS];
    ProgramLookupAddress(LookupRequest{kServer, program, company, version, "5.0.0.1:5.0.0.2", 450, language, escapeName},
                         address, sizeof address);
    return address;
}

}  // namespace

TEST(WebAddresses, VersionCheckAndLookupSendTheBuildTheirLanguagesAndTheProgramsFileNameAndVersion)
{
    // The tails of the version check's and the lookup's address: each knows its own languages.
    const struct { const char* version; WORD language; const char *check, *lookup; } rows[] = {
        {"5.0.0.1:5.0.0.2", LANG_ITALIAN, "5.0.0.1:5.0.0.2&Loc=it", "&Loc=en"},
        {"5.0.0.1", LANG_SPANISH, "5.0.0.1&Loc=es", "&Loc=en"}, {"5.0.0.1", LANG_GERMAN, "5.0.0.1&Loc=de", "&Loc=de"},
        {"5.0.0.1", LANG_FRENCH, "5.0.0.1&Loc=fr", "&Loc=fr"}, {"", LANG_DUTCH, "&Loc=en", "&Loc=en"}};
    for (const auto& row : rows) {
        char address[WEB_ADDRESS_CHARS];
        int length = VersionCheckAddress(kServer, row.version, row.language, address, sizeof address);
        EXPECT_EQ(std::string("http://vigilark.invalid/cgi-bin/version.pl?&build=") + row.check, address);
        EXPECT_EQ((int)strlen(address), length);
        std::string lookup = Lookup("C:\\x\\a.exe", row.language);
        EXPECT_EQ(lookup.size() - 7, lookup.rfind(row.lookup)) << lookup;
    }
    EXPECT_EQ(kLookup + "TOOL.EXE&vendor=Big%20Soft%20Inc.&version=2.1%20beta&build=5.0.0.1:5.0.0.2&Type=450&Loc=en",
              Lookup("C:\\Program Files\\My App\\tool.exe -x", LANG_ENGLISH, "Big Soft Inc.", "2.1 beta"));
    // Blanks in the name are escaped for the browser only; a bare name is sent whole.
    EXPECT_EQ(0u, Lookup("\"C:\\My Tools\\big tool.exe\" /s").find(kLookup + "BIG%20TOOL.EXE&vendor="));
    EXPECT_EQ(0u, Lookup("\"C:\\My Tools\\big tool.exe\" /s", LANG_ENGLISH, "", "", false).find(kLookup + "BIG TOOL.EXE&vendor="));
    EXPECT_EQ(0u, Lookup("").find(kLookup + "&vendor=&"));
}

TEST(WebAddresses, AnAddressThatDoesNotFitIsRefusedNotCut)
{
    char small[40] = "x";
    auto result = [&small](int length) { return std::to_string(length) + " " + small; };
    EXPECT_EQ("0 ", result(VersionCheckAddress(kServer, "5.0.0.1", LANG_ENGLISH, small, sizeof small)));
    const LookupRequest request{kServer, "C:\\a\\b.exe", "", "", "5", 450, LANG_ENGLISH, true};
    EXPECT_EQ("0 ", result(ProgramLookupAddress(request, small, sizeof small)));
    EXPECT_EQ("33 http://vigilark.invalid/news.html", result(ServerPageAddress(kServer, "news.html", small, 34)));
    EXPECT_EQ("0 ", result(ServerPageAddress(kServer, "news.html", small, 33)));
}

TEST(WebCommands, OutsideProgramsByTheirFullPathWithTheAddressAsOneArgument)
{
    const struct { bool aol; const char *folder, *address, *expected; } rows[] = {
        {true, "C:\\Program Files\\AOL", "http://a.invalid/x?program=BIG TOOL.EXE",
         "\"C:\\Program Files\\AOL\\WAOL.EXE\" -u\"http://a.invalid/x?program=BIG TOOL.EXE\""},
        {true, "", "http://a.invalid/news.html", ""},  // no folder: never found on the search path
        {true, "C:\\AOL\" C:\\evil.exe \"", "http://a.invalid/", ""},
        {true, "C:\\AOL", "http://a.invalid/\" -x \"", ""},
        {false, "C:\\Program Files\\Internet Explorer;", "http://a.invalid/x?program=A%20B",
         "\"C:\\Program Files\\Internet Explorer\\iexplore.exe\" \"http://a.invalid/x?program=A%20B\""},
        {false, "", "http://a.invalid/", ""},
        {false, "C:\\IE", "http://a.invalid/\" C:\\evil.htm", ""},
    };
    for (const auto& row : rows) {
        char command[WEB_COMMAND_CHARS] = "untouched";
        int length = row.aol ? AolCommandLine(row.folder, row.address, command, sizeof command)
                             : IeCommandLine(row.folder, row.address, command, sizeof command);
        EXPECT_STREQ(row.expected, command) << row.folder << " " << row.address;
        EXPECT_EQ((int)strlen(row.expected), length);
    }
}
