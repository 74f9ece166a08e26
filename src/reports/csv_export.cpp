// The CSV export (see csv_export.h).
#include "reports/csv_export.h"

#include "foundations/file_replace.h"
#include "foundations/strings.h"
#include "foundations/text.h"
#include "reports/report_rows.h"
#include "reports/report_text.h"
#include "resource.h"
#include "shell/console.h"

#include <cstring>

namespace {

class CsvRows : public ReportVisitor {
public:
    explicit CsvRows(std::string& out) : out_(out) {}
    void Section(const ReportSection&) override {}
    void Row(const ReportSection& section, int index, const ReportRow& row) override
    {
        bool disabled = section.disabled && section.disabled(index);
        const char* fields[] = {row.entry.title,           row.program,    row.version.fileDescription,
                                row.version.productVersion, row.version.legalCopyright, row.location,
                                row.entry.path,             section.keyword, disabled ? "yes" : "no",
                                row.signer,                 row.signature};
        for (size_t n = 0; n < sizeof fields / sizeof fields[0]; ++n) {
            if (n) out_ += ',';
            out_ += CsvField(fields[n]);
        }
        out_ += "\r\n";
    }

private:
    std::string& out_;
};

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

// "csv" in any case, ending the word.
bool IsCsvWord(const char* text)
{
    if (strlen(text) < 3 || (text[3] && !IsBlank(text[3]))) return false;
    return CompareStringA(LOCALE_SYSTEM_DEFAULT, NORM_IGNORECASE, text, 3, "csv", 3) == CSTR_EQUAL;
}

}  // namespace

std::string CsvText()
{
    std::string out = "Title,Program,Description,Version,Copyright,Location,Path,Kind,Disabled,Signer,Signature\r\n";
    CsvRows rows(out);
    VisitReportSections(rows);
    return out;
}

bool WriteCsvFile(const char* path, DWORD* error)
{
    return ReplaceFileBytes(path, CsvText(), error);
}

bool CsvFileFromCommandLine(const char* line, char* file, int capacity)
{
    if (!line || !file || capacity <= 0) return false;
    file[0] = '\0';
    const char* at = nullptr;
    for (const char* p = line; *p; ++p) {
        bool starts = p == line || IsBlank(p[-1]);
        if (starts && (p[0] == '-' || p[0] == '/') && IsCsvWord(p + 1)) {
            at = p + 4;
            break;
        }
    }
    if (!at) return false;
    while (IsBlank(*at)) ++at;
    size_t length = 0;
    if (*at == '"') {
        const char* end = strchr(at + 1, '"');
        length = end ? (size_t)(end - at - 1) : strlen(at + 1);
        ++at;
    } else {
        length = strlen(at);
        while (length > 0 && IsBlank(at[length - 1])) --length;
    }
    if (length + 1 > (size_t)capacity) return true;  // too long: no file at all
    memcpy(file, at, length);
    file[length] = '\0';
    return true;
}

void SaveListsAsCsv(HWND)
{
    OutputFile file;
    char text[1400];
    if (!WriteOutputFile(nullptr, "VigilarkLog.csv", CsvText(), file)) {
        ShowNotWritten(IDS_CSV_NOT_WRITTEN, file);
        return;
    }
    FormatLoadedText(text, sizeof text, IDS_CSV_WRITTEN, "s", file.path);
    ConsoleMessageBox(text, MB_OK | MB_ICONINFORMATION);
}
