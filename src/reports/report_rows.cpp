// The entries of the report sections (see report_rows.h).
#include "reports/report_rows.h"

#include "foundations/fill_memo.h"
#include "foundations/paths.h"
#include "foundations/strings.h"
#include "foundations/text.h"

#include <memory>

bool ReadReportRow(const ReportSection& section, int index, SignatureChecker& signatures, ReportRow& row)
{
    if (!CopyEntry(index, row.entry)) return false;
    if (!row.entry.title[0] && !row.entry.path[0]) return false;
    row.program[0] = '\0';
    FileNamePart(row.entry.path, row.program, sizeof row.program);
    char file[ENTRY_PATH_CHARS] = "";
    ProgramPathAsWritten(row.entry.path, file, sizeof file);
    ReadVersionFields(file, &row.version);
    Signature signature = signatures.Check(file);
    CopyText(row.signer, signature.signer);
    SignatureStateText(signature, row.signature, sizeof row.signature);
    row.location[0] = '\0';
    if (section.location) section.location(index, row.location, sizeof row.location);
    return true;
}

void VisitReportSections(ReportVisitor& visitor)
{
    // The sections name the same programs and folders on many rows, and every row asks for
    // its program's version and its location: each file is read once for the whole walk.
    FillMemo memo;
    // A row is large (version texts, a detail of 1 KiB): one on the heap for the whole walk.
    std::unique_ptr<ReportRow> row(new ReportRow());
    SignatureChecker signatures;
    for (int position = 0; position < ReportSectionCount(); ++position) {
        const ReportSection& section = *ReportSectionAt(position);
        if (!section.enumerate || section.enumerate() <= 0) continue;
        visitor.Section(section);
        int count = EntryCount();
        for (int index = 0; index < count; ++index)
            if (ReadReportRow(section, index, signatures, *row)) visitor.Row(section, index, *row);
    }
}
