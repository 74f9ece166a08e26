// Splitting win.ini program lines (see winini_text.h).
#include "foundations/winini_text.h"

std::string TrimBlanks(const std::string& text)
{
    size_t first = text.find_first_not_of(" \t");
    if (first == std::string::npos) return std::string();
    size_t last = text.find_last_not_of(" \t");
    return text.substr(first, last - first + 1);
}

std::vector<std::string> SplitWinIniPieces(const char* text, size_t length)
{
    std::vector<std::string> pieces;
    if (!text) return pieces;
    size_t start = 0;
    while (start <= length) {
        size_t end = start;
        while (end < length && text[end] != ';') ++end;
        std::string piece(text + start, end - start);
        if (!TrimBlanks(piece).empty()) pieces.push_back(piece);
        start = end + 1;
    }
    return pieces;
}

std::vector<std::string> SplitWinIniLine(const std::string& line)
{
    std::vector<std::string> pieces = SplitWinIniPieces(line.data(), line.size());
    for (std::string& piece : pieces) piece = TrimBlanks(piece);
    return pieces;
}
