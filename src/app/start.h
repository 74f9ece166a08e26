// The program's start-up step, above every subject: settings, first-run records and the
// tables through which the application reaches each subject.
#pragma once

// Start-up: tracing, first-run keys and records, options, the monitor's autostart flag,
// the message-box language. Called once by the program and again by the Options page.
void LoadInitialValues();

// The settings as they stand, for a run that must change nothing (-csv): no first-run keys
// or records, no file-type snapshot, nothing written.
void LoadSettingsToRead();

// Fills the tables through which the application reaches each subject: the history's
// undo table and the Properties dialog's kinds.
void InstallSubjectTables();

// Fills the resident monitor's table of patrolled places, one row (or two) per subject.
void InstallPatrolPlaces();
