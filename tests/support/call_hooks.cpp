// The product's calls failing or watched for one scope (see call_hooks.h).
#include "support/call_hooks.h"

#include "support/import_hook.h"

#include <cstdlib>

namespace {

struct Plan {
    bool active;
    int passing;
    DWORD error;
    int failing;
    int failed;
};
Plan g_plans[3] = {};

bool Fails(FailingCalls::Call call)
{
    Plan& plan = g_plans[call];
    if (!plan.active) return false;
    if (plan.passing > 0 || plan.failed >= plan.failing) {
        --plan.passing;
        return false;
    }
    ++plan.failed;
    SetLastError(plan.error);
    return true;
}

decltype(&WriteFile) g_write;
decltype(&ReadFile) g_read;
decltype(&MoveFileA) g_move;
decltype(&MoveFileExA) g_moveEx;

BOOL WINAPI Write(HANDLE file, LPCVOID bytes, DWORD size, LPDWORD written, LPOVERLAPPED overlapped)
{
    if (written) *written = 0;
    return Fails(FailingCalls::WRITE) ? FALSE : g_write(file, bytes, size, written, overlapped);
}

BOOL WINAPI Read(HANDLE file, LPVOID bytes, DWORD size, LPDWORD got, LPOVERLAPPED overlapped)
{
    if (got) *got = 0;
    return Fails(FailingCalls::READ) ? FALSE : g_read(file, bytes, size, got, overlapped);
}

BOOL WINAPI Move(LPCSTR from, LPCSTR to) { return Fails(FailingCalls::MOVE) ? FALSE : g_move(from, to); }

BOOL WINAPI MoveEx(LPCSTR from, LPCSTR to, DWORD flags)
{
    return Fails(FailingCalls::MOVE) ? FALSE : g_moveEx(from, to, flags);
}

bool g_watching = false;
size_t g_largest = 0;
decltype(&malloc) g_malloc;
decltype(&realloc) g_realloc;

void* Allocate(size_t size)
{
    if (g_watching && size > g_largest) g_largest = size;
    return g_malloc(size);
}

void* Reallocate(void* block, size_t size)
{
    if (g_watching && size > g_largest) g_largest = size;
    return g_realloc(block, size);
}

}  // namespace

FailingCalls::FailingCalls(Call call, int passing, DWORD error, int failing) : call_(call)
{
    static bool hooked = HookImport("kernel32.dll", "WriteFile", &Write, &g_write) &&
                         HookImport("kernel32.dll", "ReadFile", &Read, &g_read) &&
                         HookImport("kernel32.dll", "MoveFileA", &Move, &g_move) &&
                         HookImport("kernel32.dll", "MoveFileExA", &MoveEx, &g_moveEx);
    if (hooked) g_plans[call] = Plan{true, passing, error, failing, 0};
}

FailingCalls::~FailingCalls() { g_plans[call_].active = false; }

int FailingCalls::Failed() const { return g_plans[call_].failed; }

LargestAllocation::LargestAllocation()
{
    static bool hooked = HookImport("msvcrt.dll", "malloc", &Allocate, &g_malloc) &&
                         HookImport("msvcrt.dll", "realloc", &Reallocate, &g_realloc);
    g_largest = 0;
    g_watching = hooked;
}

LargestAllocation::~LargestAllocation() { g_watching = false; }

size_t LargestAllocation::Largest() const { return g_largest; }
