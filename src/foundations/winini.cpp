// The program lists of win.ini (see winini.h).
#include "foundations/winini.h"

#include "foundations/text.h"
#include "foundations/winini_text.h"

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

std::string WinIniLineWithout(const std::string& text, const char* command)
{
    std::string target = TrimBlanks(command ? command : "");
    std::string result;
    for (const std::string& piece : SplitWinIniPieces(text.data(), text.size())) {
        if (SameText(TrimBlanks(piece).c_str(), target.c_str())) continue;
        result += piece;
        result += ';';
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
