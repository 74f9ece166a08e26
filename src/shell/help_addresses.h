// The texts behind help and the web links: topic files, the addresses on the maker's
// server and the command lines that open them. Text in, text out: no window, no network,
// so every address can be checked as it is built. (HelpTopicFile of help.h is here too.)
#pragma once

#include <windows.h>

// Capacities: an address with every field of a lookup at its longest still fits.
const int WEB_ADDRESS_CHARS = 2048;
const int WEB_COMMAND_CHARS = 2600;
const int HELP_TOPIC_CHARS = 64;

// Language code of the version check: "de", "fr", "es", "it" or "en".
const char* VersionCheckLanguage(WORD language);
// Language code of the program lookup: "de", "fr" or "en" (no Spanish or Italian pages).
const char* LookupLanguage(WORD language);

// server + page ("news.html", "stats.html", a help topic). Returns the length, 0 when it
// does not fit (out is then empty).
int ServerPageAddress(const char* server, const char* page, char* out, int capacity);

// server + "cgi-bin/version.pl?" + "&build=<version text>&Loc=<code>".
int VersionCheckAddress(const char* server, const char* versionText, WORD language, char* out, int capacity);

// What a program lookup sends. Company and version are written with "%20" for blanks.
struct LookupRequest {
    const char* server;
    const char* program;         // the searched text or the entry's command
    const char* companyName;     // version fields of the program (may be empty)
    const char* productVersion;
    const char* versionText;     // the console's own version text
    int type;                    // 450 from the About page; the Properties dialog has its own
    WORD language;
    bool escapeName;             // blanks of the file name as "%20" (browser) or kept (AOL client)
};
int ProgramLookupAddress(const LookupRequest& request, char* out, int capacity);

// The program name a lookup sends: the file name part of the canonical program path
// ("C:\Program Files\My App\tool.exe -x" gives "TOOL.EXE"; "tool.exe" gives "TOOL.EXE").
int LookupProgramName(const char* program, char* out, int capacity);

// The AOL client's command: ""<appPath>\WAOL.EXE" -u"<address>"". The program is run only
// by its full path and the address is one argument: 0 (nothing to run) without a path, or
// when the path or the address holds a double quote.
int AolCommandLine(const char* appPath, const char* address, char* out, int capacity);

// Internet Explorer started directly: ""<iePath>\iexplore.exe" "<address>"" (a trailing ";"
// of the path dropped). 0 without a path, or with a double quote in the path or the address.
int IeCommandLine(const char* iePath, const char* address, char* out, int capacity);
