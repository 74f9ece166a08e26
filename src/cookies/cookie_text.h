// The text of cookies: the lines of a Mozilla-based browser's cookies.txt and the names
// of Internet Explorer's cookie files. Pure: no window or system calls, so these parsers
// also build natively for the fuzz targets.
#pragma once

#include <cstddef>
#include <functional>
#include <string>

// One line of cookies.txt: domain, subdomain flag, path, secure flag, expiry (seconds
// since 1970), name, value, separated by tabs.
struct CookieLine {
    std::string domain;         // without a leading "."; empty for a comment line
    std::string writtenDomain;  // the first field as written, a leading "." kept
    std::string path;
    std::string name;
    std::string value;   // the text after the sixth tab, without a closing carriage return
    unsigned long expiry;  // leading decimal digits, saturated at 0xFFFFFFFF
    bool secure;           // "TRUE" anywhere in the fourth field, any case
    int fields;            // number of tab-separated fields
};

// Scans one line (without its line feed).
void ScanCookieLine(const char* line, size_t length, CookieLine& out);

// The cookie's title as listed and as filter words match it: "domain - name". Two cookies
// may share it ("example.com" and ".example.com", or two paths).
std::string CookieName(const CookieLine& line);
// The same title written into `title`, reusing its room (a pass over many lines).
void CookieNameInto(const CookieLine& line, std::string& title);

// The cookie's whole identity as keep and removal marks name it: the domain as written, the
// path and the name, joined by tabs (which no field holds), then "#" and a check of those
// bytes, so cookies that differ only in the case of a letter get marks of their own although
// the registry compares names without regard to case.
std::string CookieMarkName(const CookieLine& line);
// True for a mark of the older form, a title ("domain - name"), which has no tab.
bool IsTitleMark(const std::string& mark);

// The longest line the scanner holds; a longer one is handed on in pieces as it arrives.
const size_t COOKIE_LINE_LIMIT = 65536;

// A line of cookies.txt, or a piece of a line longer than the limit.
struct CookieLinePiece {
    const char* text;  // the line's bytes, without its line end
    size_t length;
    const char* end;   // "\n", "\r\n" or "\r"; empty for a last line without one, and for
    size_t endLength;  // the pieces of an overlong line but its last
    bool whole;        // the whole line (false: a piece of an overlong line)
    bool first;        // the line's first piece
};

// Splits a stream into lines ended by a line feed, CR LF or a CR alone, holding at most the
// limit: every byte reaches the sink exactly once, in order.
class CookieLineReader {
public:
    typedef std::function<bool(const CookieLinePiece&)> Sink;  // false stops the reading
    explicit CookieLineReader(size_t limit = COOKIE_LINE_LIMIT) : limit_(limit) {}
    bool Feed(const char* bytes, size_t size, const Sink& sink);
    // The end of the stream: what is left is the last line.
    bool Finish(const Sink& sink);
    size_t Held() const { return line_.size(); }

private:
    bool Append(const char* bytes, size_t size, const Sink& sink);
    bool End(const char* end, size_t endLength, const Sink& sink);
    size_t limit_;
    std::string line_;
    bool overlong_ = false;
    bool pendingCr_ = false;  // the last chunk ended in a CR: a line feed may follow
};

// An Internet Explorer cookie file name, "user@site[1].txt": where its site part starts
// and how long it is. The site is what follows the last "@" (the whole name when there
// is none), without the closing ".txt" and a "[n]" copy number before it.
struct CookieFileParts {
    size_t siteStart;
    size_t siteLength;
};
CookieFileParts SplitCookieFileName(const char* name, size_t length);
