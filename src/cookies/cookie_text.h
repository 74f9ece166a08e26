// The text of cookies: the lines of a Mozilla-based browser's cookies.txt and the names
// of Internet Explorer's cookie files. Pure: no window or system calls, so these parsers
// also build natively for the fuzz targets.
#pragma once

#include <cstddef>
#include <string>

// One line of cookies.txt: domain, subdomain flag, path, secure flag, expiry (seconds
// since 1970), name, value, separated by tabs.
struct CookieLine {
    std::string domain;  // without a leading "."; empty for a comment line
    std::string path;
    std::string name;
    std::string value;   // the text after the sixth tab, without a closing carriage return
    unsigned long expiry;  // leading decimal digits, saturated at 0xFFFFFFFF
    bool secure;           // "TRUE" anywhere in the fourth field, any case
    int fields;            // number of tab-separated fields
};

// Scans one line (without its line feed).
void ScanCookieLine(const char* line, size_t length, CookieLine& out);

// The cookie's name as listed and as kept or removed by name: "domain - name".
std::string CookieName(const CookieLine& line);

// The length of the next line of bytes from `from`, its line feed included when it has
// one; 0 at the end.
size_t NextLineLength(const char* bytes, size_t length, size_t from);

// An Internet Explorer cookie file name, "user@site[1].txt": where its site part starts
// and how long it is. The site is what follows the last "@" (the whole name when there
// is none), without the closing ".txt" and a "[n]" copy number before it.
struct CookieFileParts {
    size_t siteStart;
    size_t siteLength;
};
CookieFileParts SplitCookieFileName(const char* name, size_t length);
