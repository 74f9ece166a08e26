// Bounded text helpers (see text.h).
#include "foundations/text.h"

#include <windows.h>
#include <cstdio>
#include <cstring>

size_t CopyText(char* out, size_t cap, const char* src)
{
    if (!out || cap == 0) return 0;
    if (!src) src = "";
    size_t len = strlen(src);
    if (len >= cap) len = cap - 1;
    memcpy(out, src, len);
    out[len] = '\0';
    return len;
}

size_t AppendText(char* out, size_t cap, const char* src)
{
    if (!out || cap == 0) return 0;
    size_t used = strnlen(out, cap);
    if (used >= cap) {  // not terminated: terminate what is there
        out[cap - 1] = '\0';
        return cap - 1;
    }
    return used + CopyText(out + used, cap - used, src);
}

size_t FormatTextV(char* out, size_t cap, const char* format, va_list args)
{
    if (!out || cap == 0) return 0;
    int n = vsnprintf(out, cap, format, args);
    if (n < 0) {
        out[0] = '\0';
        return 0;
    }
    return (size_t)n < cap ? (size_t)n : cap - 1;
}

size_t FormatText(char* out, size_t cap, const char* format, ...)
{
    va_list args;
    va_start(args, format);
    size_t n = FormatTextV(out, cap, format, args);
    va_end(args);
    return n;
}

namespace {

// Skips up to three digits; false when there are more (a width that large is no text of ours).
bool SkipNumber(const char*& p)
{
    int digits = 0;
    while (*p >= '0' && *p <= '9') {
        if (++digits > 3) return false;
        ++p;
    }
    return true;
}

}  // namespace

bool FormatDirectivesAre(const char* text, const char* conversions)
{
    if (!text || !conversions) return false;
    const char* expected = conversions;
    for (const char* p = text; *p; ++p) {
        if (*p != '%') continue;
        ++p;
        if (*p == '%') continue;
        while (*p && strchr("-+ #0", *p)) ++p;
        if (!SkipNumber(p)) return false;
        if (*p == '.') {
            ++p;
            if (!SkipNumber(p)) return false;
        }
        if (!*p || !strchr("diouxXcs", *p) || *p != *expected) return false;
        ++expected;
    }
    return *expected == '\0';
}

bool FitsText(const char* src, size_t cap)
{
    return src && strnlen(src, cap) < cap;
}

bool SameText(const char* a, const char* b)
{
    return lstrcmpiA(a ? a : "", b ? b : "") == 0;
}
