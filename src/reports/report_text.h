// Text pieces of the full report, the CSV export and the registry file, kept free of any
// window or file so they can be checked on their own.
#pragma once

#include <windows.h>

#include <string>

// Text from the machine made safe inside an HTML page: & < > " ' as entities.
std::string HtmlEscaped(const char* text);
// The name an HTML page declares for a Windows ANSI code page ("windows-1252",
// "shift_jis", ...); "" for a code page no browser knows by name.
const char* HtmlCharset(UINT codePage);
// One field of a tab-separated line: tabs and line breaks become blanks, so an entry
// stays one line of nine fields whatever its title or path holds.
std::string OneLineField(const char* text);
// One RFC 4180 field: quoted (with inner quotes doubled) when it holds a comma, a quote
// or a line break; one that begins with =, +, -, @, a tab or a CR gets a leading ' first, so
// that a spreadsheet shows it as text instead of running it as a formula.
std::string CsvField(const char* text);

// The report's time "%2d:%02d:%02d AM/PM" on a 12-hour clock (hour 0 is 12 AM) and
// its date "%2d/%02d/%4d" (month, day, year).
int FormatReportTime(const SYSTEMTIME& time, char* out, int capacity);
int FormatReportDate(const SYSTEMTIME& time, char* out, int capacity);

// What GetVersionExA and the registry tell about Windows, for DescribeWindowsVersion.
struct WindowsVersionFacts {
    bool read = false;          // GetVersionExA answered at all
    bool extended = false;      // the OSVERSIONINFOEXA fields are valid
    DWORD platform = 0;
    DWORD major = 0;
    DWORD minor = 0;
    DWORD build = 0;
    char servicePack[128] = "";
    BYTE productType = 0;       // extended only
    WORD suiteMask = 0;         // extended only
    const char* productTypeText = nullptr;  // HKLM ProductOptions "ProductType"; nullptr when unreadable
    bool servicePack6a = false;             // the Q246009 hotfix key exists
};
// The descriptive Windows version; its length (0 with an empty text when unknown).
int DescribeWindowsVersion(const WindowsVersionFacts& facts, char* out, int capacity);

// Appends printf-style text of any length.
void AppendFormat(std::string& out, const char* format, ...) __attribute__((format(printf, 2, 3)));
