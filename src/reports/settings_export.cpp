// The settings export (see settings_export.h). Every value keeps its type and its exact
// bytes, so the disabled store's REG_EXPAND_SZ commands and long saved commands come back
// as they were.
#include "reports/settings_export.h"

#include "foundations/entries.h"
#include "foundations/handles.h"
#include "foundations/paths.h"
#include "foundations/platform.h"
#include "foundations/strings.h"
#include "foundations/system_view.h"
#include "foundations/text.h"
#include "reports/report_text.h"
#include "resource.h"
#include "shell/console.h"

#include <cstring>
#include <vector>

namespace {

const size_t kHexLineWidth = 76;

// String data that fits between quotes: one terminator at the end and no line break or
// other terminator inside.
bool IsPlainString(const std::string& data)
{
    if (data.empty() || data.back() != '\0') return false;
    for (size_t n = 0; n + 1 < data.size(); ++n)
        if (data[n] == '\0' || data[n] == '\r' || data[n] == '\n') return false;
    return true;
}

bool IsStringType(DWORD type) { return type == REG_SZ || type == REG_EXPAND_SZ || type == REG_MULTI_SZ; }

// The bytes the editor must store: text types in UTF-16 for the Version 5 editor.
std::string StoredBytes(const RegValue& value, RegFileForm form)
{
    if (form == REG_FILE_ANSI || !IsStringType(value.type) || value.data.empty()) return value.data;
    int count = MultiByteToWideChar(CP_ACP, 0, value.data.data(), (int)value.data.size(), nullptr, 0);
    std::string wide((size_t)count * 2, '\0');
    MultiByteToWideChar(CP_ACP, 0, value.data.data(), (int)value.data.size(), reinterpret_cast<WCHAR*>(&wide[0]),
                        count);
    return wide;
}

void AppendHex(std::string& line, const std::string& bytes)
{
    size_t column = line.size();
    for (size_t n = 0; n < bytes.size(); ++n) {
        AppendFormat(line, "%02x", (unsigned)(unsigned char)bytes[n]);
        column += 2;
        if (n + 1 == bytes.size()) break;
        line += ',';
        ++column;
        if (column >= kHexLineWidth) {
            line += "\\\r\n  ";
            column = 2;
        }
    }
}

void AppendKeyLine(std::string& out, HKEY root, const std::string& path)
{
    out += "[";
    out += RegRootName(root);
    out += "\\" + path + "]\r\n";
}

std::vector<std::string> SubkeyNames(RegRoot root, const std::string& path)
{
    std::vector<std::string> names;
    RegKey key;
    if (key.Open(root, path.c_str(), KEY_READ) != ERROR_SUCCESS) return names;
    DWORD count = 0;
    DWORD longest = 0;
    if (RegQueryInfoKeyA(key.get(), nullptr, nullptr, nullptr, &count, &longest, nullptr, nullptr, nullptr, nullptr,
                         nullptr, nullptr) != ERROR_SUCCESS)
        return names;
    std::vector<char> name(longest + 256);
    for (DWORD index = 0; index <= count; ++index) {
        DWORD size = (DWORD)name.size();
        LONG rc = RegEnumKeyExA(key.get(), index, name.data(), &size, nullptr, nullptr, nullptr, nullptr);
        if (rc == ERROR_NO_MORE_ITEMS) break;
        if (rc == ERROR_SUCCESS) names.emplace_back(name.data(), size);
    }
    return names;
}

}  // namespace

const char* RegRootName(HKEY root)
{
    if (root == HKEY_CLASSES_ROOT) return "HKEY_CLASSES_ROOT";
    if (root == HKEY_CURRENT_USER) return "HKEY_CURRENT_USER";
    if (root == HKEY_USERS) return "HKEY_USERS";
    if (root == HKEY_CURRENT_CONFIG) return "HKEY_CURRENT_CONFIG";
    return "HKEY_LOCAL_MACHINE";
}

std::string RegEscaped(const std::string& text)
{
    std::string out;
    for (char c : text) {
        if (c == '\\' || c == '"') out += '\\';
        out += c;
    }
    return out;
}

std::string RegValueLine(const RegValue& value, RegFileForm form)
{
    std::string line = value.name.empty() ? "@=" : "\"" + RegEscaped(value.name) + "\"=";
    if (value.type == REG_SZ && IsPlainString(value.data)) {
        line += "\"" + RegEscaped(value.data.substr(0, value.data.size() - 1)) + "\"";
    } else if (value.type == REG_DWORD && value.data.size() == 4) {
        DWORD number = 0;
        memcpy(&number, value.data.data(), 4);
        AppendFormat(line, "dword:%08lx", (unsigned long)number);
    } else {
        if (value.type == REG_BINARY) line += "hex:";
        else AppendFormat(line, "hex(%lx):", (unsigned long)value.type);
        AppendHex(line, StoredBytes(value, form));
    }
    return line + "\r\n";
}

void AppendRegKeyTree(std::string& out, RegRoot root, const std::string& path, RegFileForm form,
                      const std::string& shownPath)
{
    const std::string shown = shownPath.empty() ? path : shownPath;
    AppendKeyLine(out, root.hive, shown);
    std::vector<RegValue> values;
    if (!ReadRegValues(root, path.c_str(), values)) return;
    for (const RegValue& value : values) out += RegValueLine(value, form);
    for (const std::string& name : SubkeyNames(root, path)) {
        out += "\r\n";
        AppendRegKeyTree(out, root, path + "\\" + name, form, shown + "\\" + name);
    }
}

const char* ExportedMachineKeyPath(bool system64)
{
    return system64 ? "SOFTWARE\\Wow6432Node\\Brondlewick" : "SOFTWARE\\Brondlewick";
}

std::string SettingsExportText(RegFileForm form)
{
    std::string out = form == REG_FILE_UNICODE ? "Windows Registry Editor Version 5.00\r\n\r\n" : "REGEDIT4\r\n\r\n";
    AppendRegKeyTree(out, HKEY_CURRENT_USER, VIGILARK_KEY, form);
    AppendRegKeyTree(out, ProgramMachineRoot(), "SOFTWARE\\Brondlewick", form,
                     ExportedMachineKeyPath(Is64BitWindows()));
    return out;
}

std::string RegFileBytes(const std::string& text, RegFileForm form)
{
    if (form == REG_FILE_ANSI || text.empty()) return text;
    int count = MultiByteToWideChar(CP_ACP, 0, text.data(), (int)text.size(), nullptr, 0);
    std::string bytes((size_t)count * 2 + 2, '\0');
    bytes[0] = '\xFF';
    bytes[1] = '\xFE';
    MultiByteToWideChar(CP_ACP, 0, text.data(), (int)text.size(), reinterpret_cast<WCHAR*>(&bytes[2]), count);
    return bytes;
}

RegFileForm NativeRegFileForm() { return IsNtFamily() ? REG_FILE_UNICODE : REG_FILE_ANSI; }

bool WriteSettingsExport(OutputFile& out)
{
    char directory[MAX_PATH] = "";
    char user[128] = "";
    char name[200];
    DWORD size = sizeof user;
    ProgramDirectory(directory, sizeof directory);
    if (!GetUserNameA(user, &size)) user[0] = '\0';
    FormatText(name, sizeof name, "%s-Vigilark.reg", user);
    if (!CreateOutputFile(directory, name, out)) return false;
    RegFileForm form = NativeRegFileForm();
    std::string bytes = RegFileBytes(SettingsExportText(form), form);
    if (FinishOutputFile(out, bytes.data(), (DWORD)bytes.size())) return true;
    out.inDocuments = false;
    return false;
}

void ExportSettings(HWND)
{
    OutputFile file;
    char text[1600];
    if (!WriteSettingsExport(file)) {
        ShowNotWritten(IDS_EXPORT_NOT_WRITTEN, file);
        return;
    }
    char shown[MAX_PATH];
    LongPathForm(file.path, shown, sizeof shown);
    if (file.inDocuments)
        FormatLoadedText(text, sizeof text, IDS_EXPORT_IN_DOCUMENTS, "ss", file.firstTried, shown);
    else
        FormatLoadedText(text, sizeof text, IDS_EXPORT_DONE, "s", shown);
    ConsoleMessageBox(text, MB_OK | MB_ICONINFORMATION);
}
