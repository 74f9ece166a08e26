// Fuzz target: a delete line added to wininit.ini text.
// fuzz-sources: src/foundations/restart_text.cpp
#include "foundations/restart_text.h"

#include <cctype>
#include <cstdint>

namespace {

const char kPath[] = "C:\\PROGRA~1\\OLD.EXE";
const std::string kLine = std::string("NUL=") + kPath + "\r\n";

bool IsHeader(std::string line)
{
    while (!line.empty() && (line.back() == '\n' || line.back() == '\r' || line.back() == ' ' || line.back() == '\t'))
        line.pop_back();
    size_t first = line.find_first_not_of(" \t");
    if (first == std::string::npos) return false;
    line.erase(0, first);
    for (char& c : line) c = (char)tolower((unsigned char)c);
    return line == "[rename]";
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string text(reinterpret_cast<const char*>(data), size);
    const std::string result = WinInitWithDeleteLine(text, kPath);
    // The new line follows the first [rename] header of the result, as the restart program
    // reads the first section of that name.
    size_t start = 0, header = std::string::npos;
    while (start < result.size()) {
        size_t end = result.find('\n', start);
        size_t next = end == std::string::npos ? result.size() : end + 1;
        if (IsHeader(result.substr(start, next - start))) {
            header = next;
            break;
        }
        start = next;
    }
    if (header == std::string::npos || result.compare(header, kLine.size(), kLine) != 0) __builtin_trap();
    if (header > 0 && result[header - 1] != '\n') __builtin_trap();
    // Without the new line, the result is the text itself: at most a line end closing the
    // header, or a header added at the end, is new.
    std::string rest = result.substr(0, header) + result.substr(header + kLine.size());
    if (rest == text) return 0;
    if (rest.size() == text.size() + 2 && rest.compare(0, start, text, 0, start) == 0 &&
        rest.compare(header - 2, 2, "\r\n") == 0 && rest.compare(header, std::string::npos, text, header - 2) == 0)
        return 0;
    if (rest.compare(0, text.size(), text) == 0 && header == rest.size() &&
        (rest.substr(text.size()) == "[rename]\r\n" || rest.substr(text.size()) == "\r\n[rename]\r\n"))
        return 0;
    __builtin_trap();
}
