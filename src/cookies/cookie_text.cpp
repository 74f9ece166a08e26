// Cookie lines and cookie file names (see cookie_text.h).
#include "cookies/cookie_text.h"

namespace {

char Upper(char c) { return (c >= 'a' && c <= 'z') ? (char)(c - 'a' + 'A') : c; }

bool ContainsTrue(const char* text, size_t length)
{
    static const char kTrue[] = "TRUE";
    for (size_t i = 0; i + 4 <= length; ++i) {
        size_t k = 0;
        while (k < 4 && Upper(text[i + k]) == kTrue[k]) ++k;
        if (k == 4) return true;
    }
    return false;
}

unsigned long LeadingNumber(const char* text, size_t length)
{
    unsigned long long number = 0;
    for (size_t i = 0; i < length && text[i] >= '0' && text[i] <= '9'; ++i) {
        number = number * 10 + (unsigned)(text[i] - '0');
        if (number > 0xFFFFFFFFULL) return 0xFFFFFFFFUL;
    }
    return (unsigned long)number;
}

bool EndsWithNoCase(const char* text, size_t length, const char* tail, size_t tailLength)
{
    if (length < tailLength) return false;
    for (size_t i = 0; i < tailLength; ++i)
        if (Upper(text[length - tailLength + i]) != Upper(tail[i])) return false;
    return true;
}

}  // namespace

void ScanCookieLine(const char* line, size_t length, CookieLine& out)
{
    out = CookieLine{};
    if (!line) length = 0;
    size_t start = 0;
    int number = 0;
    for (size_t i = 0; i <= length; ++i) {
        if (i < length && line[i] != '\t') continue;
        const char* field = line + start;
        size_t size = i - start;
        switch (number) {
        case 0:
            if (size > 0 && field[0] == '#') break;  // a comment line lists nothing
            if (size > 0 && field[0] == '.') ++field, --size;
            out.domain.assign(field, size);
            break;
        case 2: out.path.assign(field, size); break;
        case 3: out.secure = ContainsTrue(field, size); break;
        case 4: out.expiry = LeadingNumber(field, size); break;
        case 5: out.name.assign(field, size); break;
        default: break;
        }
        ++number;
        start = i + 1;
    }
    out.fields = number;
    if (number >= 7) {
        // The value runs to the line's end; a file written with CR LF ends it in a CR.
        size_t from = length;
        while (from > 0 && line[from - 1] != '\t') --from;
        size_t end = length;
        if (end > from && line[end - 1] == '\r') --end;
        out.value.assign(line + from, end - from);
    }
}

std::string CookieName(const CookieLine& line)
{
    return line.domain + " - " + line.name;
}

size_t NextLineLength(const char* bytes, size_t length, size_t from)
{
    if (!bytes || from >= length) return 0;
    size_t end = from;
    while (end < length && bytes[end] != '\n') ++end;
    return end < length ? end - from + 1 : end - from;
}

CookieFileParts SplitCookieFileName(const char* name, size_t length)
{
    CookieFileParts parts = {0, 0};
    if (!name) return parts;
    size_t start = length;
    while (start > 0 && name[start - 1] != '@') --start;
    size_t end = length;
    if (EndsWithNoCase(name + start, end - start, ".txt", 4)) end -= 4;
    if (end > start && name[end - 1] == ']') {
        size_t open = end - 1;
        while (open > start && name[open - 1] != '[') --open;
        if (open > start) end = open - 1;
    }
    parts.siteStart = start;
    parts.siteLength = end - start;
    return parts;
}
