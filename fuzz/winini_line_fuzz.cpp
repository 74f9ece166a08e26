// Fuzz target: the splitter of win.ini program lines.
// fuzz-sources: src/foundations/winini_text.cpp
#include "foundations/winini_text.h"

#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const char* text = reinterpret_cast<const char*>(data);
    std::vector<std::string> pieces = SplitWinIniPieces(text, size);
    size_t separators = 0;
    for (size_t i = 0; i < size; ++i) separators += text[i] == ';';
    if (pieces.size() > separators + 1) __builtin_trap();
    size_t total = 0;
    for (const std::string& piece : pieces) {
        if (piece.find(';') != std::string::npos || TrimBlanks(piece).empty()) __builtin_trap();
        total += piece.size();
    }
    if (total + separators < size && pieces.size() == separators + 1) __builtin_trap();
    std::vector<std::string> trimmed = SplitWinIniLine(std::string(text, size));
    if (trimmed.size() != pieces.size()) __builtin_trap();
    for (const std::string& piece : trimmed)
        if (piece.empty() || piece.front() == ' ' || piece.back() == '\t') __builtin_trap();
    return 0;
}
