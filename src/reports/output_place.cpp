// Where the report and the export are written (see output_place.h).
#include "reports/output_place.h"

#include "foundations/file_replace.h"
#include "foundations/handles.h"
#include "foundations/registry.h"
#include "foundations/strings.h"
#include "foundations/text.h"
#include "shell/console.h"

#include <shlobj.h>
#include <cstring>

namespace {

// SHGetSpecialFolderPathA came with the desktop update (shell32 4.71), so the first
// Windows 95 lacks it: looked up at run time, with the Shell Folders value behind it.
int DocumentsFromShell(char* out, int capacity)
{
    typedef BOOL(WINAPI * SpecialFolderPath)(HWND, LPSTR, int, BOOL);
    ScopedLibrary shell("shell32.dll");
    SpecialFolderPath get = shell.Proc<SpecialFolderPath>("SHGetSpecialFolderPathA");
    char path[MAX_PATH] = "";
    if (!get || !get(nullptr, path, CSIDL_PERSONAL, FALSE) || !path[0]) return 0;
    if (!FitsText(path, (size_t)capacity)) return 0;
    return (int)CopyText(out, (size_t)capacity, path);
}

// The file's full name in `folder` (nullptr or empty: the current directory).
bool PlaceName(const char* folder, const char* name, OutputFile& out)
{
    if (folder && folder[0]) {
        size_t length = FormatText(out.path, sizeof out.path, "%s\\%s", folder, name);
        if (length + 1 >= sizeof out.path) {
            out.error = ERROR_FILENAME_EXCED_RANGE;
            return false;
        }
        return true;
    }
    DWORD length = GetCurrentDirectoryA(sizeof out.path, out.path);
    if (length == 0 || length >= sizeof out.path) {
        out.error = GetLastError();
        return false;
    }
    if (out.path[length - 1] == '\\') out.path[length - 1] = '\0';
    AppendText(out.path, "\\");
    AppendText(out.path, name);
    return true;
}

bool TryWrite(const char* folder, const char* name, const std::string& bytes, OutputFile& out)
{
    return PlaceName(folder, name, out) && ReplaceFileBytes(out.path, bytes, &out.error);
}

}  // namespace

int DocumentsFolder(char* out, int capacity)
{
    if (!out || capacity <= 0) return 0;
    out[0] = '\0';
    int length = DocumentsFromShell(out, capacity);
    if (length == 0) {
        length = ReadRegString(HKEY_CURRENT_USER, WINDOWS_CURRENT_VERSION_KEY "\\Explorer\\Shell Folders", "Personal",
                               out, capacity);
    }
    while (length > 3 && out[length - 1] == '\\') out[--length] = '\0';
    return length;
}

bool WriteOutputFile(const char* folder, const char* name, const std::string& bytes, OutputFile& out)
{
    out = OutputFile();
    if (TryWrite(folder, name, bytes, out)) return true;
    CopyText(out.firstTried, out.path);
    char documents[MAX_PATH];
    if (DocumentsFolder(documents, sizeof documents) == 0) return false;
    if (!TryWrite(documents, name, bytes, out)) return false;
    out.inDocuments = true;
    return true;
}

void ErrorText(DWORD error, char* out, int capacity)
{
    if (!out || capacity <= 0) return;
    out[0] = '\0';
    DWORD length = FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, error, 0, out,
                                  (DWORD)capacity, nullptr);
    while (length > 0 && (out[length - 1] == '\r' || out[length - 1] == '\n' || out[length - 1] == ' '))
        out[--length] = '\0';
    if (length == 0) FormatText(out, (size_t)capacity, "error %lu", (unsigned long)error);
}

void ShowNotWritten(UINT textId, const OutputFile& file)
{
    char reason[256];
    char text[1400];
    ErrorText(file.error, reason, sizeof reason);
    FormatLoadedText(text, sizeof text, textId, "ss", file.path, reason);
    ConsoleMessageBox(text, MB_OK | MB_ICONHAND);
}
