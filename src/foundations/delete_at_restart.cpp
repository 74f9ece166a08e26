// Deleting a file when Windows restarts (see delete_at_restart.h).
#include "foundations/delete_at_restart.h"

#include "foundations/handles.h"
#include "foundations/paths.h"
#include "foundations/platform.h"
#include "foundations/system_view.h"
#include "foundations/text.h"

namespace {

bool ReadWholeFile(const char* path, std::string& text)
{
    text.clear();
    ScopedHandle file(CreateFileA(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL,
                                  nullptr));
    if (!file.valid()) return GetLastError() == ERROR_FILE_NOT_FOUND;
    char buffer[4096];
    DWORD got = 0;
    while (ReadFile(file.get(), buffer, sizeof buffer, &got, nullptr) && got > 0) text.append(buffer, got);
    return true;
}

bool WriteWholeFile(const char* path, const std::string& text)
{
    ScopedHandle file(CreateFileA(path, GENERIC_WRITE, 0, nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.valid()) return false;
    DWORD written = 0;
    if (!WriteFile(file.get(), text.data(), (DWORD)text.size(), &written, nullptr) || written != text.size())
        return false;
    return SetEndOfFile(file.get()) != 0;
}

int AddWinInitDeleteLine(const char* file)
{
    char shortPath[MAX_PATH];
    DWORD n = GetShortPathNameA(file, shortPath, sizeof shortPath);
    if (n == 0 || n >= sizeof shortPath) return 0;
    char path[MAX_PATH];
    UINT len = GetWindowsDirectoryA(path, sizeof path);
    if (len == 0 || len >= sizeof path) return 0;
    AddBackslash(path, sizeof path);
    AppendText(path, "wininit.ini");
    std::string text;
    if (!ReadWholeFile(path, text)) return 0;
    return WriteWholeFile(path, WinInitWithDeleteLine(text, shortPath));
}

}  // namespace

int DeleteFileOnRestart(const char* file)
{
    if (!file || !*file) return 0;
    if (IsNtFamily()) {
        // The request names the real file: a native program's, also from the 32-bit build.
        FileChoice real = ChooseFilePath(file, false, FILE_CHANGE, CurrentSystemBits(), CurrentSystemFolders());
        FileRedirectionOff native(real.redirectionOff);
        return MoveFileExA(real.path.c_str(), nullptr, MOVEFILE_DELAY_UNTIL_REBOOT) != 0;
    }
    return AddWinInitDeleteLine(file);
}
