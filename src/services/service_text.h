// What the service list makes of a service's registry texts: its kind from the image path,
// the start-type text, the Command cell. Pure functions over text; no system calls.
#pragma once

#include <windows.h>

// 0 for an image the list leaves out (no ".exe" in it: a driver), else KIND_SERVICE_EXE or,
// when it names "svchost.exe", KIND_SERVICE_SVCHOST. Case-insensitive.
int ServiceKindOfImage(const char* imagePath);

// The string id of a Start value's text (2 Automatic, 3 Manual, 4 Disabled); 0 for any other.
UINT StartTypeTextId(DWORD start);

// The Start value (2, 3, 4) of a start-type list position (0, 1, 2); 0 for any other.
DWORD StartValueOfChoice(int choice);

// The history action that records a service leaving a start type (18-20) or taking one
// (10-12); -1 for a Start value without one.
int StartTypeFromAction(DWORD start);
int StartTypeToAction(DWORD start);

// The Command cell: the file-name part of the path (the whole path without a backslash),
// after "svchost.exe " for a hosted service. Cut to the capacity.
void ServiceCommandText(const char* path, int kind, char* out, int capacity);

// The SCM rights ControlService needs for a control code (SERVICE_STOP for a stop, ...).
DWORD ServiceRightsForControl(DWORD control);

// The state part (dwCurrentState) of a service state value; 0 when the state was not read.
inline DWORD StateOfValue(DWORD stateValue) { return stateValue >> 16; }
// A service state value: the current state in the upper half, the type's low half below.
inline DWORD MakeStateValue(DWORD currentState, DWORD serviceType)
{
    return (currentState << 16) | (serviceType & 0xFFFF);
}
