// Redirecting one of this program's own imports, to count or inspect the calls the program's
// code makes to the system (the code itself runs unchanged). Used by the tests and the benchmark.
#pragma once

// Points the import of `function` from `dll` at `replacement`; the address it had goes to
// *original. False when this program does not import it.
bool RedirectImport(const char* dll, const char* function, void* replacement, void** original);

template <typename F> bool HookImport(const char* dll, const char* function, F replacement, F* original)
{
    return RedirectImport(dll, function, reinterpret_cast<void*>(replacement), reinterpret_cast<void**>(original));
}
