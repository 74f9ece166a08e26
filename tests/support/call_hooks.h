// The product's own file calls failing for one scope, as Wine never makes them fail: a write
// after the file was made (a full disk), a read part-way (a bad sector), a move refused (a
// reader holding the file); and the largest block the product asks the run-time for.
#pragma once

#include <windows.h>

#include <cstddef>

class FailingCalls {
public:
    enum Call { WRITE, READ, MOVE };  // WriteFile; ReadFile; MoveFileA and MoveFileExA
    // The next `passing` calls go through, then `failing` calls fail with `error`, then the
    // calls go through again.
    FailingCalls(Call call, int passing, DWORD error, int failing = 1 << 30);
    ~FailingCalls();
    FailingCalls(const FailingCalls&) = delete;
    FailingCalls& operator=(const FailingCalls&) = delete;
    int Failed() const;

private:
    Call call_;
};

class LargestAllocation {
public:
    LargestAllocation();
    ~LargestAllocation();
    LargestAllocation(const LargestAllocation&) = delete;
    LargestAllocation& operator=(const LargestAllocation&) = delete;
    size_t Largest() const;
};
