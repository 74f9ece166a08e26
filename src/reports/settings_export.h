// The settings export: the program's registry keys, with everything below them, as a file
// the Registry Editor imports again ("<user>-Vigilark.reg" beside the program).
#pragma once

#include "foundations/registry.h"
#include "reports/output_place.h"

#include <windows.h>

#include <string>
#include <vector>

// The two forms of a registry file. The NT family's editor reads "Windows Registry Editor
// Version 5.00" in UTF-16LE; the Windows 95 family's reads only "REGEDIT4" in ANSI.
enum RegFileForm { REG_FILE_UNICODE, REG_FILE_ANSI };

// The text of the file is built in the code page for REGEDIT4 and in UTF-8 for Version 5.00
// (RegFileBytes turns that into the file's UTF-16); the program's own texts are in the ANSI
// code page, `codePage` (CP_ACP unless a test names another).

// "HKEY_CURRENT_USER", ... ("HKEY_LOCAL_MACHINE" for any other root).
const char* RegRootName(HKEY root);
// Program text as the file holds it, every backslash and double quote escaped. Version 5.00
// escapes after the conversion to UTF-16, so a double-byte character whose second byte is
// 0x5C stays one character; REGEDIT4 stays in the code page and leaves trail bytes alone.
std::string RegEscaped(const std::string& text, RegFileForm form, UINT codePage = CP_ACP);
// False for a name the format cannot hold: a registry file has no way to write a line break
// in a value's or a key's name.
bool RegFileCanName(const std::string& name);
// One value line with its line end: strings as "text" when they are one plain line, else
// (and every other type) in the hex form of its own type, wrapped as the editor wraps.
std::string RegValueLine(const RegValue& value, RegFileForm form, UINT codePage = CP_ACP);

// The keys the export holds, in order: where each is read (root and view) and the path its
// lines name in the file. The one place that decides where an imported file puts the
// program's keys back.
struct ExportedKey {
    RegRoot root;
    std::string path;
    std::string filePath;
};
std::vector<ExportedKey> ExportedKeys();
// The path under HKEY_LOCAL_MACHINE that the export names for the maker's key, which the
// program keeps in the 32-bit view: the 64-bit Registry Editor of a 64-bit Windows imports
// "SOFTWARE\Wow6432Node\Brondlewick" there; elsewhere it is "SOFTWARE\Brondlewick".
const char* ExportedMachineKeyPath(bool system64);

// The key's block and the blocks of every key below it (empty line before each subkey). A
// value or key the format cannot name is left out and added to leftOut as "key\name".
void AppendRegKeyTree(std::string& out, const ExportedKey& key, RegFileForm form, std::vector<std::string>& leftOut);
// The whole file's text (header, HKCU program key, HKLM maker key).
std::string SettingsExportText(RegFileForm form, std::vector<std::string>* leftOut = nullptr);
// The file's bytes: UTF-16LE with its byte-order mark, or the ANSI text unchanged.
std::string RegFileBytes(const std::string& text, RegFileForm form);

// The form this system's Registry Editor reads.
RegFileForm NativeRegFileForm();

// Writes the export beside the program, else in the documents folder; true when written.
// leftOut receives what the file could not hold.
bool WriteSettingsExport(OutputFile& out, std::vector<std::string>* leftOut = nullptr);
// The Options page's Export Settings: writes the file and says where it went or why not.
void ExportSettings(HWND owner);
