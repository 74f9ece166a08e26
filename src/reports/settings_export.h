// The settings export: the program's registry keys, with everything below them, as a file
// the Registry Editor imports again ("<user>-Vigilark.reg" beside the program).
#pragma once

#include "foundations/registry.h"
#include "reports/output_place.h"

#include <windows.h>

#include <string>

// The two forms of a registry file. The NT family's editor reads "Windows Registry Editor
// Version 5.00" in UTF-16LE; the Windows 95 family's reads only "REGEDIT4" in ANSI.
enum RegFileForm { REG_FILE_UNICODE, REG_FILE_ANSI };

// "HKEY_CURRENT_USER", ... ("HKEY_LOCAL_MACHINE" for any other root).
const char* RegRootName(HKEY root);
// A value name or string data with every backslash and double quote escaped.
std::string RegEscaped(const std::string& text);
// One value line with its line end: strings as "text" when they are one plain line, else
// (and every other type) in the hex form of its own type, wrapped as the editor wraps.
std::string RegValueLine(const RegValue& value, RegFileForm form);
// The key's block and the blocks of every key below it (empty line before each subkey),
// read in the root's view; the key lines name `shownPath` (the path itself when empty).
void AppendRegKeyTree(std::string& out, RegRoot root, const std::string& path, RegFileForm form,
                      const std::string& shownPath = std::string());
// The path under HKEY_LOCAL_MACHINE that the export names for the maker's key, which the
// program keeps in the 32-bit view: the 64-bit Registry Editor of a 64-bit Windows imports
// "SOFTWARE\Wow6432Node\Brondlewick" there; elsewhere it is "SOFTWARE\Brondlewick".
const char* ExportedMachineKeyPath(bool system64);
// The whole file as ANSI text (header, HKCU program key, HKLM maker key).
std::string SettingsExportText(RegFileForm form);
// The file's bytes: UTF-16LE with its byte-order mark, or the ANSI text unchanged.
std::string RegFileBytes(const std::string& text, RegFileForm form);

// The form this system's Registry Editor reads.
RegFileForm NativeRegFileForm();

// Writes the export beside the program, else in the documents folder; true when written.
bool WriteSettingsExport(OutputFile& out);
// The Options page's Export Settings: writes the file and says where it went or why not.
void ExportSettings(HWND owner);
