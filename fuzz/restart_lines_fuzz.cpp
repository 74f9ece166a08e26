// Fuzz target: the command lines of wininit.ini text, which the resident monitor compares.
// fuzz-sources: src/foundations/restart_text.cpp
#include "foundations/restart_text.h"

#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string text(reinterpret_cast<const char*>(data), size);
    size_t from = 0;
    for (const std::string& line : RestartCommandLines(text)) {
        // One line of the text, whole: no line break in it, no header, comment or closing blank.
        if (line.empty() || line.find('\n') != std::string::npos || line.find('=') == std::string::npos) __builtin_trap();
        if (line[0] == '[' || line[0] == ';' || line.back() == '\r' || line.back() == ' ' || line.back() == '\t')
            __builtin_trap();
        // Found again at the start of a line, after the line before it.
        size_t at = text.find(line, from);
        while (at != std::string::npos && at > 0 && text[at - 1] != '\n') at = text.find(line, at + 1);
        if (at == std::string::npos) __builtin_trap();
        from = at + line.size();
    }
    return 0;
}
