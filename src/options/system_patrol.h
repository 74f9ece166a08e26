// What the resident monitor patrols of Internet Explorer's start and search pages (against
// the copies under the program's StartPage key) and of the restart file wininit.ini on the
// Windows 95 family (its command lines against the program's WinInit key).
#pragma once

// Puts both places into the monitor's table.
void InstallSystemPatrols();
