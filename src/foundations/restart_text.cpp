// The text of wininit.ini (see restart_text.h).
#include "foundations/restart_text.h"

namespace {

char AsciiLower(char c) { return c >= 'A' && c <= 'Z' ? (char)(c - 'A' + 'a') : c; }

// The section header as the restart program reads it: blanks around it and a closing
// carriage return do not count, the case of the letters does not either.
bool IsRenameHeader(const std::string& line)
{
    static const char kHeader[] = "[rename]";
    size_t first = line.find_first_not_of(" \t");
    size_t last = line.find_last_not_of(" \t\r");
    if (first == std::string::npos || last == std::string::npos) return false;
    if (last - first + 1 != sizeof kHeader - 1) return false;
    for (size_t i = 0; i < sizeof kHeader - 1; ++i)
        if (AsciiLower(line[first + i]) != kHeader[i]) return false;
    return true;
}

}  // namespace

std::string WinInitWithDeleteLine(const std::string& text, const char* shortPath)
{
    std::string line = std::string("NUL=") + shortPath + "\r\n";
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find('\n', start);
        size_t next = end == std::string::npos ? text.size() : end + 1;
        if (IsRenameHeader(text.substr(start, next - start - (end == std::string::npos ? 0 : 1)))) {
            std::string head = text.substr(0, next);
            if (end == std::string::npos) head += "\r\n";
            return head + line + text.substr(next);
        }
        start = next;
    }
    std::string result = text;
    if (!result.empty() && result.back() != '\n') result += "\r\n";
    return result + "[rename]\r\n" + line;
}

std::vector<std::string> RestartCommandLines(const std::string& text)
{
    std::vector<std::string> lines;
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find('\n', start);
        if (end == std::string::npos) end = text.size();
        std::string line = text.substr(start, end - start);
        while (!line.empty() && (line.back() == '\r' || line.back() == ' ' || line.back() == '\t')) line.pop_back();
        if (!line.empty() && line[0] != '[' && line[0] != ';' && line.find('=') != std::string::npos)
            lines.push_back(line);
        start = end + 1;
    }
    return lines;
}
