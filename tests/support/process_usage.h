#pragma once
// What a process holds, measured the same way on Windows and under Wine, for
// tests that do something many times and expect nothing left behind.

#include <windows.h>

#include <cstddef>
#include <cstdint>
#include <string>

namespace quillant::testing {

// Busy bytes on every heap of the process.
size_t BusyHeapBytes();

// The value a new kernel handle gets. Handle tables hand out the lowest free
// slot, so leaked handles push it up; this works where the handle count is
// not reported (Wine answers 0).
uintptr_t NextHandleValue();

// GDI objects in use. Windows counts them; Wine does not, so there the count
// is read from its handle table: handles are reused last-freed-first, so the
// highest slot a burst of new objects reaches grows with every leaked one.
long GdiObjectsInUse();

// Committed memory private to the process.
size_t PrivateBytes();

struct ProcessUsage {
    size_t heapBytes = 0;
    DWORD handles = 0;  // as the system counts them
    uintptr_t nextHandle = 0;
    long gdiObjects = 0;
    size_t privateBytes = 0;
};

ProcessUsage MeasureUsage();

// "heap 1000 -> 1000 bytes, ..." for a test's output.
std::string DescribeChange(const ProcessUsage& before, const ProcessUsage& after);

}  // namespace quillant::testing
