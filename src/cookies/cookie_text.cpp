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
    // Cleared field by field: a pass reuses one CookieLine, and its strings keep their room.
    out.domain.clear();
    out.writtenDomain.clear();
    out.path.clear();
    out.name.clear();
    out.value.clear();
    out.expiry = 0;
    out.secure = false;
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
            out.writtenDomain.assign(field, size);
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
    std::string title;
    CookieNameInto(line, title);
    return title;
}

void CookieNameInto(const CookieLine& line, std::string& title)
{
    title.assign(line.domain).append(" - ", 3).append(line.name);
}

std::string CookieMarkName(const CookieLine& line)
{
    std::string identity = line.writtenDomain + '\t' + line.path + '\t' + line.name;
    unsigned long check = 2166136261UL;  // FNV-1a
    for (char c : identity) check = ((check ^ (unsigned char)c) * 16777619UL) & 0xFFFFFFFFUL;
    static const char kDigits[] = "0123456789abcdef";
    std::string mark = identity + "\t#";
    for (int shift = 28; shift >= 0; shift -= 4) mark += kDigits[(check >> shift) & 0xF];
    return mark;
}

bool IsTitleMark(const std::string& mark) { return mark.find('\t') == std::string::npos; }

bool CookieLineReader::Append(const char* bytes, size_t size, const Sink& sink)
{
    if (size == 0) return true;
    if (!overlong_ && line_.size() + size <= limit_) {
        line_.append(bytes, size);
        return true;
    }
    if (!overlong_) {
        overlong_ = true;
        bool more = sink(CookieLinePiece{line_.data(), line_.size(), "", 0, false, true});
        line_.clear();
        if (!more) return false;
    }
    return sink(CookieLinePiece{bytes, size, "", 0, false, false});
}

bool CookieLineReader::End(const char* end, size_t endLength, const Sink& sink)
{
    if (overlong_) {
        overlong_ = false;
        return sink(CookieLinePiece{"", 0, end, endLength, false, false});
    }
    bool more = sink(CookieLinePiece{line_.data(), line_.size(), end, endLength, true, true});
    line_.clear();
    return more;
}

bool CookieLineReader::Feed(const char* bytes, size_t size, const Sink& sink)
{
    if (!bytes || size == 0) return true;
    size_t at = 0;
    if (pendingCr_) {
        pendingCr_ = false;
        bool crlf = bytes[0] == '\n';
        if (!End(crlf ? "\r\n" : "\r", crlf ? 2 : 1, sink)) return false;
        at = crlf ? 1 : 0;
    }
    while (at < size) {
        size_t stop = at;
        while (stop < size && bytes[stop] != '\n' && bytes[stop] != '\r') ++stop;
        bool ended = stop < size && !(bytes[stop] == '\r' && stop + 1 == size);
        size_t endLength = ended && bytes[stop] == '\r' && bytes[stop + 1] == '\n' ? 2 : 1;
        // A line that lies whole in this chunk goes on from where it is, uncopied.
        if (ended && line_.empty() && !overlong_ && stop - at <= limit_) {
            if (!sink(CookieLinePiece{bytes + at, stop - at, bytes + stop, endLength, true, true})) return false;
            at = stop + endLength;
            continue;
        }
        if (!Append(bytes + at, stop - at, sink)) return false;
        if (stop == size) break;
        if (!ended) {
            pendingCr_ = true;
            break;
        }
        if (!End(bytes + stop, endLength, sink)) return false;
        at = stop + endLength;
    }
    return true;
}

bool CookieLineReader::Finish(const Sink& sink)
{
    if (pendingCr_) {
        pendingCr_ = false;
        return End("\r", 1, sink);
    }
    if (overlong_) {
        overlong_ = false;
        return true;
    }
    return line_.empty() || End("", 0, sink);
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
