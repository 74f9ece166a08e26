// User-visible texts and string tests (see strings.h).
#include "foundations/strings.h"

#include "foundations/fill_memo.h"
#include "foundations/registry.h"
#include "foundations/system_view.h"
#include "foundations/text.h"
#include "foundations/trace.h"
#include "resource.h"

#include <cstdarg>
#include <cstring>
#include <string>

static HINSTANCE g_instance = nullptr;

void SetAppInstance(HINSTANCE instance) { g_instance = instance; }

HINSTANCE AppInstance()
{
    return g_instance ? g_instance : GetModuleHandleA(nullptr);
}

// The override from the registry, else the string table.
static int LoadTextUncached(UINT id, char* out, int capacity)
{
    char name[32];
    FormatText(name, sizeof name, "LString%u", id);
    char custom[1024];
    if (ReadRegString(ProgramMachineRoot(), VIGILARK_KEY, name, custom, sizeof custom) == 0) {
        out[0] = '\0';
        return LoadStringA(AppInstance(), id, out, capacity);
    }

    // The override is cut to the caller's capacity before "%n" becomes a line break,
    // so the text never grows past what was cut.
    if ((int)strlen(custom) > capacity - 1) custom[capacity - 1] = '\0';
    int len = 0;
    for (const char* p = custom; *p; ++p) {
        if (p[0] == '%' && p[1] == 'n') {
            out[len++] = '\n';
            ++p;
        } else {
            out[len++] = *p;
        }
    }
    out[len] = '\0';
    return len;
}

int LoadText(UINT id, char* out, int capacity)
{
    if (!out || capacity <= 0) return 0;
    // A fill shows the same few texts on every row: the override is looked up once.
    std::string key = "text|" + std::to_string(id) + "|" + std::to_string(capacity);
    std::string known;
    if (RecallText(key, known)) return (int)CopyText(out, (size_t)capacity, known.c_str());
    int len = LoadTextUncached(id, out, capacity);
    if (FillMemoOpen()) RememberText(key, std::string(out, (size_t)len));
    return len;
}

size_t FormatLoadedText(char* out, size_t capacity, UINT id, const char* conversions, ...)
{
    if (!out || capacity == 0) return 0;
    out[0] = '\0';
    char format[1024];
    LoadText(id, format);
    if (!FormatDirectivesAre(format, conversions)) {
        Trace("LString override is no format for its arguments", format);
        format[0] = '\0';
        LoadStringA(AppInstance(), id, format, (int)sizeof format);
        if (!FormatDirectivesAre(format, conversions)) return 0;
    }
    va_list args;
    va_start(args, conversions);
    size_t length = FormatTextV(out, capacity, format, args);
    va_end(args);
    return length;
}

void SetItemTextById(HWND dialog, UINT id, int control)
{
    char text[512];
    if (LoadText(id, text) > 0) SetDlgItemTextA(dialog, control, text);
}

int ContainsNoCase(const char* text, const char* word)
{
    if (!text || !word || !*word) return 0;
    size_t textLen = strlen(text);
    if (textLen > 512) {
        Trace("INMYSTRINGOVERFLOW!!!!", word);
        return 0;
    }
    size_t wordLen = strlen(word);
    if (wordLen > textLen) return 0;

    char window[513];
    for (size_t i = 0; i + wordLen <= textLen; ++i) {
        memcpy(window, text + i, wordLen);
        window[wordLen] = '\0';
        if (lstrcmpiA(window, word) == 0) return 1;
    }
    return 0;
}

static char UpperChar(char c)
{
    char buf[2] = {c, '\0'};
    CharUpperBuffA(buf, 1);
    return buf[0];
}

size_t SystemRootPrefixLength(const char* command)
{
    if (!command) return 0;
    // Windows reads the name only at the start of a command (a quote may come first);
    // elsewhere it is an argument or part of a folder name, never the Windows folder.
    size_t quote = command[0] == '"' ? 1 : 0;
    static const char* const kPrefixes[] = {"\\SystemRoot\\", "SystemRoot\\", "%SystemRoot%\\"};
    for (const char* prefix : kPrefixes) {
        size_t length = strlen(prefix);
        if (strlen(command + quote) >= length &&
            CompareStringA(LOCALE_SYSTEM_DEFAULT, NORM_IGNORECASE, command + quote, (int)length, prefix, (int)length) ==
                CSTR_EQUAL)
            return quote + length - 1;  // the backslash after the name stays
    }
    return 0;
}

// The program path of a command, upper case or as written.
static int ProgramPath(const char* command, char* out, int capacity, bool upper)
{
    if (!out || capacity <= 0) return 0;
    out[0] = '\0';
    if (!command) return 0;

    char source[1024];
    size_t skip = SystemRootPrefixLength(command);
    if (skip > 0) {
        char windows[MAX_PATH] = "";
        GetWindowsDirectoryA(windows, sizeof windows);
        FormatText(source, sizeof source, "%s%s", windows, command + skip);
    } else {
        CopyText(source, command);
    }

    char result[1024];
    size_t len = 0;
    size_t start = 0;
    for (size_t i = 0; source[i] && len < sizeof result - 1; ++i) {
        char c = source[i];
        if (c == ':') start = len > 0 ? len - 1 : 0;
        if (c == '.' && source[i + 1]) {
            char second = source[i + 2];
            if (second == 'X' || second == 'x' || second == 'L' || second == 'l') {
                // Keep the dot and the three characters of the extension; drop the arguments.
                for (size_t k = 0; k < 4 && source[i + k] && len < sizeof result - 1; ++k)
                    result[len++] = upper ? UpperChar(source[i + k]) : source[i + k];
                break;
            }
        }
        result[len++] = upper ? UpperChar(c) : c;
    }
    result[len] = '\0';
    return (int)CopyText(out, (size_t)capacity, result + start);
}

int CanonicalProgramPath(const char* command, char* out, int capacity)
{
    return ProgramPath(command, out, capacity, true);
}

int ProgramPathAsWritten(const char* command, char* out, int capacity)
{
    return ProgramPath(command, out, capacity, false);
}

int DefaultBrowserProgram(char* out, int capacity)
{
    char command[512];
    char stripped[512];
    size_t len = 0;
    char keyName[260];
    LoadText(IDS_HTTP_COMMAND_KEY, keyName);
    ReadRegString(HKEY_LOCAL_MACHINE, keyName, nullptr, command, sizeof command);

    // Copy without quotes; stop at the first "-" and drop it with the character before it
    // (the blank before a switch). Without a "-", the last character copied is dropped.
    bool dash = false;
    for (const char* p = command; *p && len < sizeof stripped - 1; ++p) {
        if (*p == '"') continue;
        stripped[len++] = *p;
        if (*p == '-') {
            dash = true;
            len = len >= 2 ? len - 2 : 0;
            break;
        }
    }
    if (!dash && len > 0) --len;
    stripped[len] = '\0';

    if (stripped[0] == '\0') {
        LoadText(IDS_IE_APP_PATH_KEY, keyName);
        ReadRegString(HKEY_LOCAL_MACHINE, keyName, "Path", stripped, sizeof stripped);
        size_t n = strlen(stripped);
        if (n > 0 && stripped[n - 1] == ';') stripped[n - 1] = '\0';
        AppendText(stripped, "\\IExplore.exe");
    }
    return (int)CopyText(out, (size_t)capacity, stripped);
}

int BrowserKind()
{
    char stripped[512];
    DefaultBrowserProgram(stripped, sizeof stripped);

    static const struct { const char* word; int kind; } kBrowsers[] = {
        {"iexplore", 1}, {"netscp", 2}, {"maxthon", 4}, {"avant", 5}, {"mozilla", 6},
    };
    for (const auto& browser : kBrowsers)
        if (ContainsNoCase(stripped, browser.word)) return browser.kind;
    return 1;
}

int FormatDateText(const SYSTEMTIME* time, char* out, int capacity)
{
    if (!out || capacity <= 0) return 0;
    if (!time || (time->wYear == 0 && time->wMonth == 0 && time->wDay == 0))
        return LoadText(IDS_NEVER, out, capacity);
    unsigned hour = time->wHour % 12;
    if (hour == 0) hour = 12;
    return (int)FormatText(out, (size_t)capacity, "%02u/%02u/%04u  %u:%02u %s", time->wMonth, time->wDay,
                           time->wYear, hour, time->wMinute, time->wHour < 12 ? "AM" : "PM");
}
