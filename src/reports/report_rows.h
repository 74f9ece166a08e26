// One entry of a report section as the text report, the HTML report and the CSV export
// show it: the entry's texts and its program's version information and signature.
#pragma once

#include "foundations/entries.h"
#include "foundations/signature.h"
#include "foundations/version_info.h"
#include "shell/report_sections.h"

struct ReportRow {
    EntryCopy entry;
    char program[ENTRY_PATH_CHARS];    // the file-name part of the path
    VersionFields version;
    char location[ENTRY_DETAIL_CHARS]; // the section's location text of the entry
    char signer[SIGNER_CHARS];
    char signature[SIGNATURE_TEXT_CHARS];  // the signature state as the user reads it
};

// Fills the row of entry `index` of the list the section's enumeration just built; false
// when the entry has neither title nor path (reports leave those out). The checker keeps
// each program's signature for the rest of the run.
bool ReadReportRow(const ReportSection& section, int index, SignatureChecker& signatures, ReportRow& row);

// Runs each section's enumeration in order and calls visit for the section (when it
// found anything) and for each of its entries. The entry list holds the last section's
// entries afterwards. Each distinct program's signature is verified once per visit.
struct ReportVisitor {
    virtual ~ReportVisitor() = default;
    virtual void Section(const ReportSection& section) = 0;
    virtual void Row(const ReportSection& section, int index, const ReportRow& row) = 0;
};
void VisitReportSections(ReportVisitor& visitor);
