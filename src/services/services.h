// The installed services: listed from the registry, controlled through the service control
// manager. No window here; the Services page, the Properties dialog, the report and the
// first-run record all come through these procedures.
#pragma once

#include <windows.h>

// Empties the entry list and fills it with the services that run a program file (services
// of an svchost by their service DLL), leaving out Microsoft's when the option says so.
// Each entry's value is 0. Returns the number of entries.
int EnumerateServices();
// The same, with each entry's value the service's state value (see below), read here once
// per service by its key name through one manager handle: the page's fill, whose Status
// column and Status sort then need no further call.
int EnumerateServicesWithStates();

// The service state value of the service with that display name: the current state in the
// upper 16 bits, the low half of the service type below; 0 when the service does not open
// or does not answer (a stopped service does not answer an interrogation).
DWORD QueryServiceState(const char* displayName);
// The state value of the service listed at an entry index by the last enumeration. In a fill
// (a FillMemo is open) the first call reads the states of all the services listed, by their
// key names through one manager handle, and later calls recall them; otherwise, or for an
// entry the enumeration did not list, the service is looked up by its display name.
DWORD ListedServiceState(int index);
// The state value and the state's text ("Stopped" also when it was not read).
DWORD ServiceStateText(const char* displayName, char* out, int capacity);
// dwControlsAccepted, or 0 when the state was not read.
DWORD ServiceControlsAccepted(const char* displayName);
// One interrogation for both; false when the state was not read (both then 0).
bool ReadServiceStatus(const char* displayName, DWORD* stateValue, DWORD* controlsAccepted);

// Sends a control code, opening the service with only the rights that code needs. True
// when ControlService succeeded.
bool SendServiceControl(const char* displayName, DWORD control);

// The Start value of the first service, in registry order, with that display name; 0 when
// there is none (or it has no Start value).
DWORD GetServiceStartType(const char* displayName);
// Writes Start of that service; 1 when the value was written, 0 when no service has the
// name or the write was refused.
int SetServiceStartType(const char* displayName, DWORD start);

// The Description of the first service, in registry order, whose program (an svchost
// service's ServiceDll) is `program` after CanonicalProgramPath, without regard to case;
// its length, or 0 with out empty when none is.
int ServiceDescriptionOfProgram(const char* program, char* out, int capacity);

// The first-run record: every listed service as a value of the program's Services key.
void RecordKnownServices();

// Adds the services' section to the full report's table.
void InstallServiceReport();
