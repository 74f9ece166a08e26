// Help topics, server addresses and the command lines that open them (see help_addresses.h).
#include "shell/help_addresses.h"

#include "foundations/paths.h"
#include "foundations/strings.h"
#include "foundations/text.h"
#include "resource.h"
#include "shell/help.h"

#include <cstring>

namespace {

// Appends pieces to a text and remembers whether everything fitted: an address that had
// to be cut would open a wrong page, so a cut address is never used.
struct TextBuilder {
    char* out;
    size_t capacity;
    bool fits;

    TextBuilder(char* buffer, int cap) : out(buffer), capacity(cap > 0 ? (size_t)cap : 0), fits(cap > 0)
    {
        if (fits) out[0] = '\0';
    }
    TextBuilder& Add(const char* piece)
    {
        if (fits && !FitsText(piece, capacity - strlen(out))) fits = false;
        if (fits) AppendText(out, capacity, piece);
        return *this;
    }
    TextBuilder& AddEscaped(const char* piece)
    {
        char escaped[WEB_ADDRESS_CHARS];
        size_t length = strlen(piece);
        // Every blank becomes three characters; refuse what the buffer cannot take whole.
        size_t blanks = 0;
        for (const char* p = piece; *p; ++p) blanks += *p == ' ';
        if (length + 2 * blanks >= sizeof escaped) {
            fits = false;
            return *this;
        }
        EscapeSpaces(piece, escaped, sizeof escaped);
        return Add(escaped);
    }
    int Refuse()
    {
        fits = false;
        return Finish();
    }
    int Finish()
    {
        if (!fits) {
            if (capacity > 0) out[0] = '\0';
            return 0;
        }
        return (int)strlen(out);
    }
};

const char* Safe(const char* text) { return text ? text : ""; }

}  // namespace

void HelpTopicFile(int command, WORD language, char* out, int capacity)
{
    static const struct { int command; const char* topic; } kTopics[] = {
        {CMD_STARTUP_PAGE, "startup.html"},   {CMD_COOKIES_PAGE, "cookies.html"},
        {CMD_TASKS_PAGE, "tasks.html"},       {CMD_OPTIONS_PAGE, "options.html"},
        {CMD_SERVICES_PAGE, "services.html"}, {CMD_SCHEDULED_PAGE, "scheduler.html"},
        {CMD_IEHELPERS_PAGE, "bho.html"},     {CMD_FILETYPES_PAGE, "filetype.html"},
        {CMD_HOOKS_PAGE, "hooks.html"},
    };
    const char* topic = "features.html";
    for (const auto& row : kTopics)
        if (row.command == command) topic = row.topic;

    const char* prefix = "";
    if (language == LANG_GERMAN) prefix = "de_";
    if (language == LANG_FRENCH) prefix = "fr_";
    if (language == LANG_SPANISH) prefix = "es_";
    FormatText(out, (size_t)capacity, "%s%s", prefix, topic);
}

const char* VersionCheckLanguage(WORD language)
{
    switch (language) {
    case LANG_GERMAN: return "de";
    case LANG_FRENCH: return "fr";
    case LANG_SPANISH: return "es";
    case LANG_ITALIAN: return "it";
    default: return "en";
    }
}

const char* LookupLanguage(WORD language)
{
    switch (language) {
    case LANG_GERMAN: return "de";
    case LANG_FRENCH: return "fr";
    default: return "en";
    }
}

int ServerPageAddress(const char* server, const char* page, char* out, int capacity)
{
    return TextBuilder(out, capacity).Add(Safe(server)).Add(Safe(page)).Finish();
}

int VersionCheckAddress(const char* server, const char* versionText, WORD language, char* out, int capacity)
{
    char location[16];
    FormatText(location, sizeof location, "&Loc=%s", VersionCheckLanguage(language));
    return TextBuilder(out, capacity)
        .Add(Safe(server))
        .Add("cgi-bin/version.pl?")
        .Add("&build=")
        .Add(Safe(versionText))
        .Add(location)
        .Finish();
}

int LookupProgramName(const char* program, char* out, int capacity)
{
    if (!out || capacity <= 0) return 0;
    out[0] = '\0';
    char canonical[1024];
    CanonicalProgramPath(Safe(program), canonical, sizeof canonical);
    // A bare name typed into the search field has no folder: the whole name is sent.
    if (FileNamePart(canonical, out, capacity) > 0) return (int)strlen(out);
    if (strchr(canonical, '\\')) return 0;
    return (int)CopyText(out, (size_t)capacity, canonical);
}

int ProgramLookupAddress(const LookupRequest& request, char* out, int capacity)
{
    char name[WEB_ADDRESS_CHARS];
    LookupProgramName(request.program, name, sizeof name);
    char type[32];
    FormatText(type, sizeof type, "&Type=%d", request.type);
    char location[16];
    FormatText(location, sizeof location, "&Loc=%s", LookupLanguage(request.language));

    TextBuilder address(out, capacity);
    address.Add(Safe(request.server)).Add("cgi-bin/roroinfo.pl?program=");
    if (request.escapeName)
        address.AddEscaped(name);
    else
        address.Add(name);
    return address.Add("&vendor=")
        .AddEscaped(Safe(request.companyName))
        .Add("&version=")
        .AddEscaped(Safe(request.productVersion))
        .Add("&build=")
        .Add(Safe(request.versionText))
        .Add(type)
        .Add(location)
        .Finish();
}

int AolCommandLine(const char* appPath, const char* address, char* out, int capacity)
{
    TextBuilder command(out, capacity);
    if (!appPath || !*appPath || strchr(appPath, '"') || strchr(Safe(address), '"')) return command.Refuse();
    return command.Add("\"").Add(appPath).Add("\\WAOL.EXE\" -u\"").Add(address).Add("\"").Finish();
}

int IeCommandLine(const char* iePath, const char* address, char* out, int capacity)
{
    char path[MAX_PATH];
    CopyText(path, Safe(iePath));
    size_t length = strlen(path);
    if (length > 0 && path[length - 1] == ';') path[--length] = '\0';

    TextBuilder command(out, capacity);
    if (length == 0 || strchr(path, '"') || strchr(Safe(address), '"')) return command.Refuse();
    return command.Add("\"").Add(path).Add("\\iexplore.exe\" \"").Add(address).Add("\"").Finish();
}
