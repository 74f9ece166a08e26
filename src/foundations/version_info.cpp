// Version resource fields (see version_info.h).
#include "foundations/version_info.h"

#include "foundations/fill_memo.h"
#include "foundations/system_view.h"
#include "foundations/text.h"

#include <windows.h>
#include <cstring>
#include <vector>

namespace {

// The field names in the order they are read; ProductName comes first because a
// translation without it is skipped.
const char* const kFieldNames[] = {"ProductName", "ProductVersion", "CompanyName", "FileDescription",
                                   "LegalCopyright"};

char* FieldBuffer(VersionFields* fields, int index)
{
    switch (index) {
    case 0: return fields->productName;
    case 1: return fields->productVersion;
    case 2: return fields->companyName;
    case 3: return fields->fileDescription;
    default: return fields->legalCopyright;
    }
}

// The value of one field of one translation; false when the block has no such value.
bool QueryField(const void* block, WORD language, WORD codePage, const char* name, char* out)
{
    char query[64];
    FormatText(query, sizeof query, "\\StringFileInfo\\%04x%04x\\%s", language, codePage, name);
    char* value = nullptr;
    UINT length = 0;
    if (!VerQueryValueA(block, query, reinterpret_cast<void**>(&value), &length) || !value) return false;
    // A value too long for the field is taken as empty rather than cut.
    if (FitsText(value, VERSION_FIELD_CHARS))
        CopyText(out, VERSION_FIELD_CHARS, value);
    else
        out[0] = '\0';
    return true;
}

// The fields as the file holds them; fields must be zeroed. A native program's file is read
// where it is, also by the 32-bit build on 64-bit Windows.
int ReadFromFile(const char* path, VersionFields* fields)
{
    FileChoice readable = ReadableFile(path);
    FileRedirectionOff native(readable.redirectionOff);
    const char* file = readable.path.c_str();
    DWORD handle = 0;
    DWORD size = GetFileVersionInfoSizeA(file, &handle);
    if (size == 0 || size > VERSION_INFO_MAX_BYTES) return 0;
    std::vector<char> block(size);
    if (!GetFileVersionInfoA(file, 0, size, block.data())) return 0;

    WORD* translations = nullptr;
    UINT bytes = 0;
    if (!VerQueryValueA(block.data(), "\\VarFileInfo\\Translation", reinterpret_cast<void**>(&translations), &bytes) ||
        !translations)
        return 0;

    for (UINT t = 0; t + 4 <= bytes; t += 4) {
        WORD language = translations[t / 2];
        WORD codePage = translations[t / 2 + 1];
        for (int f = 0; f < 5; ++f) {
            char* out = FieldBuffer(fields, f);
            if (!QueryField(block.data(), language, codePage, kFieldNames[f], out)) {
                out[0] = '\0';
                if (f == 0) break;  // no ProductName: the rest of this translation is skipped
            }
        }
    }
    return fields->productName[0] != '\0';
}

}  // namespace

int ReadVersionFields(const char* file, VersionFields* fields)
{
    if (!fields) return 0;
    memset(fields, 0, sizeof *fields);
    if (!file || !*file) return 0;

    int result = 0;
    if (RecallVersionFields(file, fields, &result)) return result;
    result = ReadFromFile(file, fields);
    RememberVersionFields(file, *fields, result);
    return result;
}

int FileDescriptionOf(const char* file, char* out, int capacity)
{
    if (!out || capacity <= 0) return 0;
    VersionFields fields;
    ReadVersionFields(file, &fields);
    return (int)CopyText(out, (size_t)capacity, fields.fileDescription);
}
