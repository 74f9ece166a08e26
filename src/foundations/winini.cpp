// The program lists of win.ini (see winini.h).
#include "foundations/winini.h"

#include "foundations/text.h"

#include <windows.h>
#include <vector>

std::string ReadWinIniLine(const char* line)
{
    std::vector<char> buffer(512);
    for (;;) {
        DWORD n = GetProfileStringA("windows", line, "", buffer.data(), (DWORD)buffer.size());
        if (n < buffer.size() - 1) return std::string(buffer.data(), n);
        buffer.resize(buffer.size() * 2);
    }
}

// win.ini may be read-only; keep its other attributes when clearing that one.
static void MakeWinIniWritable()
{
    char path[MAX_PATH];
    UINT n = GetWindowsDirectoryA(path, sizeof path);
    if (n == 0 || n >= sizeof path) return;
    AppendText(path, "\\win.ini");
    DWORD attributes = GetFileAttributesA(path);
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY))
        SetFileAttributesA(path, attributes & ~FILE_ATTRIBUTE_READONLY);
}

static std::string Trimmed(const std::string& text)
{
    size_t first = text.find_first_not_of(" \t");
    if (first == std::string::npos) return std::string();
    size_t last = text.find_last_not_of(" \t");
    return text.substr(first, last - first + 1);
}

std::string WinIniLineWithout(const std::string& text, const char* command)
{
    std::string target = Trimmed(command ? command : "");
    std::string result;
    size_t start = 0;
    while (start <= text.size()) {
        size_t end = text.find(';', start);
        if (end == std::string::npos) end = text.size();
        std::string piece = text.substr(start, end - start);
        if (!Trimmed(piece).empty() && !SameText(Trimmed(piece).c_str(), target.c_str())) {
            result += piece;
            result += ';';
        }
        start = end + 1;
    }
    return result;
}

bool RemoveWinIniProgram(const char* line, const char* command)
{
    std::string result = WinIniLineWithout(ReadWinIniLine(line), command);
    MakeWinIniWritable();
    return WriteProfileStringA("windows", line, result.c_str()) != 0;
}

bool AddWinIniProgram(const char* line, const char* command)
{
    std::string text = ReadWinIniLine(line);
    text += ';';
    text += command ? command : "";
    MakeWinIniWritable();
    return WriteProfileStringA("windows", line, text.c_str()) != 0;
}
