// The trace file (see trace.h).
#include "foundations/trace.h"

#include "foundations/text.h"

#include <windows.h>

static int g_traceCounter = TRACE_OFF;
static char g_traceFile[MAX_PATH] = "sendex2kw.txt";

void SetTraceCounter(int counter) { g_traceCounter = counter; }
int TraceCounter() { return g_traceCounter; }

void SetTraceFileName(const char* name) { CopyText(g_traceFile, name); }
const char* TraceFileName() { return g_traceFile; }

int Trace(const char* message, const char* data)
{
    if (g_traceCounter > TRACE_LIMIT) return 0;
    ++g_traceCounter;
    char key[40];
    FormatText(key, sizeof key, "%lu.%d", (unsigned long)GetTickCount(), g_traceCounter);
    char value[1100];
    FormatText(value, sizeof value, "%s: %s", message ? message : "", data ? data : "");
    WritePrivateProfileStringA("Trace", key, value, g_traceFile);
    return 1;
}

void TraceMemoryLoad(const char* message)
{
    if (g_traceCounter > TRACE_LIMIT) return;
    MEMORYSTATUS status = {};
    status.dwLength = sizeof status;
    GlobalMemoryStatus(&status);
    char load[32];
    FormatText(load, sizeof load, "%ld %%", (long)status.dwMemoryLoad);
    Trace(message, load);
}
