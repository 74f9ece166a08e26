// Deleting a file when Windows restarts (see delete_at_restart.h).
#include "foundations/delete_at_restart.h"

#include "foundations/file_replace.h"
#include "foundations/paths.h"
#include "foundations/platform.h"
#include "foundations/system_view.h"
#include "foundations/text.h"

namespace {

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
    // A read that fails part-way ends the change: the file is never rewritten from half of
    // it, which would lose the restart commands already waiting.
    std::string text;
    DWORD error = 0;
    if (!ReadFileBytes(path, text, &error) && error != ERROR_FILE_NOT_FOUND) return 0;
    return ReplaceFileBytes(path, WinInitWithDeleteLine(text, shortPath), &error) ? 1 : 0;
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
