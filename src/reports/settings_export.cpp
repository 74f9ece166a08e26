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

std::wstring Widened(const std::string& text, UINT codePage)
{
    if (text.empty()) return std::wstring();
    int count = MultiByteToWideChar(codePage, 0, text.data(), (int)text.size(), nullptr, 0);
    std::wstring wide((size_t)(count > 0 ? count : 0), L'\0');
    if (count > 0) MultiByteToWideChar(codePage, 0, text.data(), (int)text.size(), &wide[0], count);
    return wide;
}

std::string Utf8(const std::wstring& wide)
{
    if (wide.empty()) return std::string();
    int count = WideCharToMultiByte(CP_UTF8, 0, wide.data(), (int)wide.size(), nullptr, 0, nullptr, nullptr);
    std::string text((size_t)(count > 0 ? count : 0), '\0');
    if (count > 0) WideCharToMultiByte(CP_UTF8, 0, wide.data(), (int)wide.size(), &text[0], count, nullptr, nullptr);
    return text;
}

// Text the file holds unescaped (key paths): the code page's bytes, or UTF-8.
std::string FileText(const std::string& text, RegFileForm form, UINT codePage)
{
    return form == REG_FILE_ANSI ? text : Utf8(Widened(text, codePage));
}

// The bytes the editor must store: text types in UTF-16 for the Version 5 editor.
std::string StoredBytes(const RegValue& value, RegFileForm form, UINT codePage)
{
    if (form == REG_FILE_ANSI || !IsStringType(value.type) || value.data.empty()) return value.data;
    std::wstring wide = Widened(value.data, codePage);
    return std::string(reinterpret_cast<const char*>(wide.data()), wide.size() * sizeof(WCHAR));
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

void AppendKeyLine(std::string& out, HKEY root, const std::string& path, RegFileForm form)
{
    out += "[";
    out += RegRootName(root);
    out += "\\" + FileText(path, form, CP_ACP) + "]\r\n";
}

// A name left out, as the message shows it: its line breaks written as \r and \n.
std::string LeftOutName(const std::string& key, const std::string& name)
{
    std::string shown = key + "\\";
    for (char c : name) shown += c == '\r' ? std::string("\\r") : c == '\n' ? std::string("\\n") : std::string(1, c);
    return shown;
}

// Values the file holds in order; the names it cannot hold go to leftOut.
void AppendValueLines(std::string& out, const std::string& keyName, const std::vector<RegValue>& values,
                      RegFileForm form, std::vector<std::string>& leftOut)
{
    for (const RegValue& value : values) {
        if (RegFileCanName(value.name))
            out += RegValueLine(value, form);
        else
            leftOut.push_back(LeftOutName(keyName, value.name));
    }
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

std::string RegEscaped(const std::string& text, RegFileForm form, UINT codePage)
{
    std::string out;
    if (form == REG_FILE_UNICODE) {
        std::wstring escaped;
        for (WCHAR c : Widened(text, codePage)) {
            if (c == L'\\' || c == L'"') escaped += L'\\';
            escaped += c;
        }
        return Utf8(escaped);
    }
    for (size_t n = 0; n < text.size(); ++n) {
        char c = text[n];
        if (n + 1 < text.size() && IsDBCSLeadByteEx(codePage, (BYTE)c)) {
            out += c;
            out += text[++n];
            continue;
        }
        if (c == '\\' || c == '"') out += '\\';
        out += c;
    }
    return out;
}

bool RegFileCanName(const std::string& name) { return name.find_first_of("\r\n") == std::string::npos; }

std::string RegValueLine(const RegValue& value, RegFileForm form, UINT codePage)
{
    std::string line = value.name.empty() ? "@=" : "\"" + RegEscaped(value.name, form, codePage) + "\"=";
    if (value.type == REG_SZ && IsPlainString(value.data)) {
        line += "\"" + RegEscaped(value.data.substr(0, value.data.size() - 1), form, codePage) + "\"";
    } else if (value.type == REG_DWORD && value.data.size() == 4) {
        DWORD number = 0;
        memcpy(&number, value.data.data(), 4);
        AppendFormat(line, "dword:%08lx", (unsigned long)number);
    } else {
        if (value.type == REG_BINARY) line += "hex:";
        else AppendFormat(line, "hex(%lx):", (unsigned long)value.type);
        AppendHex(line, StoredBytes(value, form, codePage));
    }
    return line + "\r\n";
}

const char* ExportedMachineKeyPath(bool system64)
{
    return system64 ? "SOFTWARE\\Wow6432Node\\Brondlewick" : "SOFTWARE\\Brondlewick";
}

std::vector<ExportedKey> ExportedKeys()
{
    // The program keeps its machine key in the 32-bit view; which path the file names for it
    // (so that the Registry Editor of this system puts it back there) is decided here.
    return {
        {HKEY_CURRENT_USER, VIGILARK_KEY, VIGILARK_KEY},
        {ProgramMachineRoot(), "SOFTWARE\\Brondlewick", ExportedMachineKeyPath(Is64BitWindows())},
    };
}

void AppendRegKeyTree(std::string& out, const ExportedKey& key, RegFileForm form, std::vector<std::string>& leftOut)
{
    AppendKeyLine(out, key.root.hive, key.filePath, form);
    std::vector<RegValue> values;
    if (!ReadRegValues(key.root, key.path.c_str(), values)) return;
    const std::string shownKey = std::string(RegRootName(key.root.hive)) + "\\" + key.filePath;
    AppendValueLines(out, shownKey, values, form, leftOut);
    for (const std::string& name : SubkeyNames(key.root, key.path)) {
        std::string path = key.path + "\\" + name;
        std::string filePath = key.filePath + "\\" + name;
        if (!RegFileCanName(name)) {
            leftOut.push_back(LeftOutName(shownKey, name));
            continue;
        }
        out += "\r\n";
        AppendRegKeyTree(out, ExportedKey{key.root, path, filePath}, form, leftOut);
    }
}

std::string SettingsExportText(RegFileForm form, std::vector<std::string>* leftOut)
{
    std::string out = form == REG_FILE_UNICODE ? "Windows Registry Editor Version 5.00\r\n\r\n" : "REGEDIT4\r\n\r\n";
    std::vector<std::string> ignored;
    for (const ExportedKey& key : ExportedKeys()) AppendRegKeyTree(out, key, form, leftOut ? *leftOut : ignored);
    return out;
}

std::string RegFileBytes(const std::string& text, RegFileForm form)
{
    if (form == REG_FILE_ANSI || text.empty()) return text;
    std::wstring wide = Widened(text, CP_UTF8);
    return std::string("\xFF\xFE", 2) + std::string(reinterpret_cast<const char*>(wide.data()), wide.size() * sizeof(WCHAR));
}

RegFileForm NativeRegFileForm() { return IsNtFamily() ? REG_FILE_UNICODE : REG_FILE_ANSI; }

bool WriteSettingsExport(OutputFile& out, std::vector<std::string>* leftOut)
{
    char directory[MAX_PATH] = "";
    char user[128] = "";
    char name[200];
    DWORD size = sizeof user;
    ProgramDirectory(directory, sizeof directory);
    if (!GetUserNameA(user, &size)) user[0] = '\0';
    FormatText(name, sizeof name, "%s-Vigilark.reg", user);
    RegFileForm form = NativeRegFileForm();
    return WriteOutputFile(directory, name, RegFileBytes(SettingsExportText(form, leftOut), form), out);
}

void ExportSettings(HWND)
{
    OutputFile file;
    std::vector<std::string> leftOut;
    char text[3200];
    if (!WriteSettingsExport(file, &leftOut)) {
        ShowNotWritten(IDS_EXPORT_NOT_WRITTEN, file);
        return;
    }
    char shown[MAX_PATH];
    LongPathForm(file.path, shown, sizeof shown);
    if (file.inDocuments)
        FormatLoadedText(text, sizeof text, IDS_EXPORT_IN_DOCUMENTS, "ss", file.firstTried, shown);
    else
        FormatLoadedText(text, sizeof text, IDS_EXPORT_DONE, "s", shown);
    if (!leftOut.empty()) {
        std::string names;
        for (const std::string& name : leftOut) names += name + "\n";
        char more[1600];
        FormatLoadedText(more, sizeof more, IDS_EXPORT_LEFT_OUT, "s", names.c_str());
        AppendText(text, more);
    }
    ConsoleMessageBox(text, MB_OK | MB_ICONINFORMATION);
}
