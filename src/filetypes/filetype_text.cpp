// The text rules of file-type associations (see filetype_text.h).
#include "filetypes/filetype_text.h"

#include <climits>
#include <cstring>

namespace {

char LowerAscii(char c) { return (c >= 'A' && c <= 'Z') ? (char)(c - 'A' + 'a') : c; }

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

// The text between first and last without surrounding blanks and double quotes.
std::string Trimmed(const char* first, const char* last)
{
    while (first < last && (IsBlank(*first) || *first == '"')) ++first;
    while (last > first && (IsBlank(last[-1]) || last[-1] == '"')) --last;
    return std::string(first, last);
}

// A decimal number with an optional sign after blanks; anything after the digits is ignored,
// and a number too large for an int is held at the int's limit.
int DecimalValue(const char* text)
{
    while (IsBlank(*text)) ++text;
    bool negative = *text == '-';
    if (*text == '-' || *text == '+') ++text;
    long long value = 0;
    for (; *text >= '0' && *text <= '9'; ++text) {
        value = value * 10 + (*text - '0');
        if (value > (long long)INT_MAX + 1) value = (long long)INT_MAX + 1;
    }
    if (negative) return value > INT_MAX ? INT_MIN : -(int)value;
    return value > INT_MAX ? INT_MAX : (int)value;
}

// The position of word in text ignoring ASCII case, nullptr when absent.
const char* FindNoCase(const char* text, const char* word)
{
    size_t length = strlen(word);
    for (const char* p = text; *p; ++p) {
        size_t i = 0;
        while (i < length && p[i] && LowerAscii(p[i]) == LowerAscii(word[i])) ++i;
        if (i == length) return p;
    }
    return nullptr;
}

}  // namespace

bool SameNameNoCase(const std::string& a, const std::string& b)
{
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (LowerAscii(a[i]) != LowerAscii(b[i])) return false;
    return true;
}

std::vector<std::string> SplitMonitoredList(const char* list)
{
    std::vector<std::string> pieces;
    if (!list) return pieces;
    const char* start = list;
    for (const char* p = list;; ++p) {
        if (*p != ';' && *p != '\0') continue;
        size_t length = (size_t)(p - start);
        if (length > 0) pieces.emplace_back(start, length < FILETYPE_PIECE_CHARS ? length : FILETYPE_PIECE_CHARS);
        if (*p == '\0') break;
        start = p + 1;
    }
    return pieces;
}

bool MonitoredListHas(const char* list, const std::string& extension)
{
    for (const std::string& piece : SplitMonitoredList(list))
        if (SameNameNoCase(piece, extension)) return true;
    return false;
}

std::string MonitoredListWithout(const char* list, const std::string& extension)
{
    std::string rebuilt;
    for (const std::string& piece : SplitMonitoredList(list))
        if (!SameNameNoCase(piece, extension)) rebuilt += piece + ";";
    return rebuilt;
}

std::string ExtensionWithoutDot(const char* typed)
{
    if (!typed) return std::string();
    return std::string(typed[0] == '.' ? typed + 1 : typed);
}

bool IsUsableExtension(const std::string& extension)
{
    if (extension.empty()) return false;
    for (char c : extension)
        if (c == ';' || c == '\\' || (unsigned char)c < 0x20) return false;
    return true;
}

bool ParseIconLocation(const char* text, std::string& file, int* index)
{
    *index = 0;
    if (!text) {
        file.clear();
        return false;
    }
    const char* end = text + strlen(text);
    const char* comma = strrchr(text, ',');
    if (!comma) {
        file = Trimmed(text, end);
        return false;
    }
    file = Trimmed(text, comma);
    *index = DecimalValue(comma + 1);
    return true;
}

CommandShape ClassifyCommand(const char* command)
{
    if (!command || !command[0]) return COMMAND_EMPTY;
    if (SameNameNoCase(command, "%1 %*") || SameNameNoCase(command, "%1 /S")) return COMMAND_EXECUTABLE;
    return COMMAND_PROGRAM;
}

const char* CommandProgramStart(const char* command)
{
    static const char kRunner[] = "rundll32.exe";
    const char* found = command ? FindNoCase(command, kRunner) : nullptr;
    if (!found) return command;
    const char* rest = found + strlen(kRunner);
    while (*rest == '"' || IsBlank(*rest)) ++rest;
    return *rest ? rest : command;
}

std::string TextAfterLastBackslash(const char* path)
{
    if (!path) return std::string();
    const char* slash = strrchr(path, '\\');
    return std::string(slash ? slash + 1 : path);
}
