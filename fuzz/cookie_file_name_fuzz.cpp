// Fuzz target: the site part of Internet Explorer cookie file names.
// fuzz-sources: src/cookies/cookie_text.cpp
#include "cookies/cookie_text.h"

#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const char* name = reinterpret_cast<const char*>(data);
    CookieFileParts parts = SplitCookieFileName(name, size);
    if (parts.siteStart > size || parts.siteLength > size - parts.siteStart) __builtin_trap();
    for (size_t i = parts.siteStart; i < parts.siteStart + parts.siteLength; ++i)
        if (name[i] == '@') __builtin_trap();
    return 0;
}
