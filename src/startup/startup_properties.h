// The startup entries' part of the Properties dialog.
#pragma once

// Puts the startup kinds into the Properties dialog's table.
void InstallStartupProperties();
