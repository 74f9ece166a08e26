// Fuzz target: cookies.txt split into lines and each line scanned.
// fuzz-sources: src/cookies/cookie_text.cpp
#include "cookies/cookie_text.h"

#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const char* bytes = reinterpret_cast<const char*>(data);
    size_t covered = 0;
    for (size_t n; (n = NextLineLength(bytes, size, covered)) != 0; covered += n) {
        size_t length = n;
        if (bytes[covered + length - 1] == '\n') --length;
        CookieLine line;
        ScanCookieLine(bytes + covered, length, line);
        size_t tabs = 0;
        for (size_t i = 0; i < length; ++i) tabs += bytes[covered + i] == '\t';
        if ((size_t)line.fields != tabs + 1) __builtin_trap();
        if (line.value.find('\t') != std::string::npos || line.domain.find('\t') != std::string::npos) __builtin_trap();
        if (line.value.size() + line.domain.size() + line.path.size() + line.name.size() > length) __builtin_trap();
        if (CookieName(line).size() != line.domain.size() + line.name.size() + 3) __builtin_trap();
    }
    // Every byte belongs to exactly one line, so copying lines loses nothing.
    if (covered != size) __builtin_trap();
    return 0;
}
