// What the Properties dialog shows and does for a program that may be running: Running
// with Kill Task, Ready with Run, or "Local File not found.".
#pragma once

#include <windows.h>

void FillRunningState(HWND dialog, int index);

// Kill Task (3) ends the program without asking; Run (4) starts it. True when handled.
bool RunningStateCommand(HWND dialog, int index, int command);

// Puts the running programs' part of the Properties dialog into its table.
void InstallTaskProperties();
