// The add-ons' part of the Properties dialog and of the full report.
#pragma once

// Adds the add-on kinds to the Properties dialog's table.
void InstallIeHelperProperties();

// Adds the add-ons' section to the full report and the CSV export.
void InstallIeHelperReport();
