// The trace file: a profile-format file "sendex2kw.txt" (section "Trace") written
// only when the option Debug is set, at most 9001 records per run.
#pragma once

// The counter stands at 9999 while tracing is off.
const int TRACE_OFF = 9999;
const int TRACE_LIMIT = 9000;

// Switches tracing on (counter 0) or off (9999). Called once per run at start-up.
void SetTraceCounter(int counter);
int TraceCounter();

// The profile file name; a bare name lands in the Windows directory.
void SetTraceFileName(const char* name);
const char* TraceFileName();

// Writes one record "message: data"; 1 when written, 0 when off or past the limit.
int Trace(const char* message, const char* data);

// When tracing is on, writes the message with the memory load ("%ld %%") as data.
void TraceMemoryLoad(const char* message);
