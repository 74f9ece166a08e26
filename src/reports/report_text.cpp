// Text pieces of the report, the CSV export and the registry file (see report_text.h).
#include "reports/report_text.h"

#include "foundations/text.h"

#include <cstdarg>
#include <cstdio>
#include <cstring>
#include <vector>

std::string HtmlEscaped(const char* text)
{
    std::string out;
    for (const char* p = text ? text : ""; *p; ++p) {
        switch (*p) {
        case '&': out += "&amp;"; break;
        case '<': out += "&lt;"; break;
        case '>': out += "&gt;"; break;
        case '"': out += "&quot;"; break;
        case '\'': out += "&#39;"; break;
        default: out += *p; break;
        }
    }
    return out;
}

const char* HtmlCharset(UINT codePage)
{
    static const struct { UINT codePage; const char* name; } kCharsets[] = {
        {874, "windows-874"},   {932, "shift_jis"},     {936, "gb2312"},        {949, "ks_c_5601-1987"},
        {950, "big5"},          {1250, "windows-1250"}, {1251, "windows-1251"}, {1252, "windows-1252"},
        {1253, "windows-1253"}, {1254, "windows-1254"}, {1255, "windows-1255"}, {1256, "windows-1256"},
        {1257, "windows-1257"}, {1258, "windows-1258"},
    };
    for (const auto& row : kCharsets)
        if (row.codePage == codePage) return row.name;
    return "";
}

std::string OneLineField(const char* text)
{
    std::string out(text ? text : "");
    for (char& c : out)
        if (c == '\t' || c == '\r' || c == '\n') c = ' ';
    return out;
}

std::string CsvField(const char* text)
{
    std::string value(text ? text : "");
    // A spreadsheet runs a field that begins like a formula: the usual guard makes it text.
    if (!value.empty() && std::string("=+-@\t\r").find(value[0]) != std::string::npos) value.insert(0, 1, '\'');
    if (value.find_first_of(",\"\r\n") == std::string::npos) return value;
    std::string out = "\"";
    for (char c : value) {
        if (c == '"') out += '"';
        out += c;
    }
    return out + "\"";
}

int FormatReportTime(const SYSTEMTIME& time, char* out, int capacity)
{
    int hour = time.wHour % 12;
    if (hour == 0) hour = 12;
    return (int)FormatText(out, (size_t)capacity, "%2d:%02d:%02d %s", hour, time.wMinute, time.wSecond,
                           time.wHour < 12 ? "AM" : "PM");
}

int FormatReportDate(const SYSTEMTIME& time, char* out, int capacity)
{
    return (int)FormatText(out, (size_t)capacity, "%2d/%02d/%4d", time.wMonth, time.wDay, time.wYear);
}

namespace {

const WORD SUITE_ENTERPRISE = 0x2;
const WORD SUITE_DATACENTER = 0x80;
const WORD SUITE_PERSONAL = 0x200;
const WORD SUITE_BLADE = 0x400;

const char* NtBase(const WindowsVersionFacts& f)
{
    if (f.major == 5 && f.minor == 2) return "Windows Server 2003 family, ";
    if (f.major == 5 && f.minor == 1) return "Windows XP ";
    if (f.major == 5 && f.minor == 0) return "Windows 2000 ";
    if (f.major <= 4) return "Windows NT ";
    return "";
}

const char* ServerEdition(const WindowsVersionFacts& f)
{
    if (f.major == 5 && f.minor == 2) {
        if (f.suiteMask & SUITE_DATACENTER) return "Datacenter Edition ";
        if (f.suiteMask & SUITE_ENTERPRISE) return "Enterprise Edition ";
        if (f.suiteMask == SUITE_BLADE) return "Web Edition ";
        return "Standard Edition ";
    }
    if (f.major == 5 && f.minor == 0) {
        if (f.suiteMask & SUITE_DATACENTER) return "Datacenter Server ";
        if (f.suiteMask & SUITE_ENTERPRISE) return "Advanced Server ";
        return "Server ";
    }
    return (f.suiteMask & SUITE_ENTERPRISE) ? "Server 4.0, Enterprise Edition " : "Server 4.0 ";
}

// False when the edition cannot be told (the whole text is then empty).
bool AppendNtEdition(const WindowsVersionFacts& f, char* out, int capacity)
{
    if (f.extended) {
        if (f.productType == VER_NT_WORKSTATION) {
            if (f.major == 4) AppendText(out, (size_t)capacity, "Workstation 4.0 ");
            else if (f.suiteMask & SUITE_PERSONAL) AppendText(out, (size_t)capacity, "Home Edition ");
            else AppendText(out, (size_t)capacity, "Professional ");
        } else if (f.productType == VER_NT_SERVER || f.productType == VER_NT_DOMAIN_CONTROLLER) {
            AppendText(out, (size_t)capacity, ServerEdition(f));
        }
        return true;
    }
    if (!f.productTypeText) return false;
    if (SameText(f.productTypeText, "WINNT")) AppendText(out, (size_t)capacity, "Workstation ");
    else if (SameText(f.productTypeText, "LANMANNT")) AppendText(out, (size_t)capacity, "Server ");
    else if (SameText(f.productTypeText, "SERVERNT")) AppendText(out, (size_t)capacity, "Advanced Server ");
    char number[32];
    FormatText(number, sizeof number, "%d.%d ", (int)f.major, (int)f.minor);
    AppendText(out, (size_t)capacity, number);
    return true;
}

int DescribeNt(const WindowsVersionFacts& f, char* out, int capacity)
{
    CopyText(out, (size_t)capacity, NtBase(f));
    if (!AppendNtEdition(f, out, capacity)) {
        out[0] = '\0';
        return 0;
    }
    char pack[192];
    int build = (int)(f.build & 0xFFFF);
    if (f.major == 4 && SameText(f.servicePack, "Service Pack 6") && f.servicePack6a)
        FormatText(pack, sizeof pack, "Service Pack 6a (Build %d)", build);
    else
        FormatText(pack, sizeof pack, "%s (Build %d)", f.servicePack, build);
    return (int)AppendText(out, (size_t)capacity, pack);
}

int Describe9x(const WindowsVersionFacts& f, char* out, int capacity)
{
    char second = f.servicePack[0] ? f.servicePack[1] : '\0';
    if (f.major == 4 && f.minor == 0) {
        CopyText(out, (size_t)capacity, "Microsoft Windows 95 ");
        if (second == 'C' || second == 'B') AppendText(out, (size_t)capacity, "OSR2 ");
    } else if (f.major == 4 && f.minor == 10) {
        CopyText(out, (size_t)capacity, "Microsoft Windows 98 ");
        if (second == 'A') AppendText(out, (size_t)capacity, "SE ");
    } else if (f.major == 4 && f.minor == 90) {
        CopyText(out, (size_t)capacity, "Microsoft Windows Millennium Edition");
    }
    return (int)strlen(out);
}

}  // namespace

int DescribeWindowsVersion(const WindowsVersionFacts& facts, char* out, int capacity)
{
    if (!out || capacity <= 0) return 0;
    out[0] = '\0';
    if (!facts.read) return 0;
    switch (facts.platform) {
    case VER_PLATFORM_WIN32s: return (int)CopyText(out, (size_t)capacity, "Microsoft Win32s");
    case VER_PLATFORM_WIN32_WINDOWS: return Describe9x(facts, out, capacity);
    case VER_PLATFORM_WIN32_NT: return DescribeNt(facts, out, capacity);
    default: return 0;
    }
}

void AppendFormat(std::string& out, const char* format, ...)
{
    va_list args;
    va_start(args, format);
    va_list again;
    va_copy(again, args);
    int length = vsnprintf(nullptr, 0, format, args);
    va_end(args);
    if (length > 0) {
        std::vector<char> buffer((size_t)length + 1);
        vsnprintf(buffer.data(), buffer.size(), format, again);
        out.append(buffer.data(), (size_t)length);
    }
    va_end(again);
}
