// The reports' part of the application's start-up tables.
#pragma once

// Sets the writers that Full Report, Export Settings and Save as CSV reach.
void InstallReports();
