#include "tests/support/process_usage.h"

#include <psapi.h>

#include <algorithm>
#include <cstdio>
#include <vector>

#include "win32/gdi_object.h"
#include "win32/kernel_handle.h"

namespace quillant::testing {

size_t BusyHeapBytes() {
    HANDLE heaps[64];
    const DWORD count = GetProcessHeaps(64, heaps);
    size_t busy = 0;
    for (DWORD i = 0; i < count && i < 64; ++i) {
        if (!HeapLock(heaps[i])) continue;
        PROCESS_HEAP_ENTRY entry = {};
        while (HeapWalk(heaps[i], &entry)) {
            if (entry.wFlags & PROCESS_HEAP_ENTRY_BUSY) busy += entry.cbData;
        }
        HeapUnlock(heaps[i]);
    }
    return busy;
}

uintptr_t NextHandleValue() {
    const win32::KernelHandle probe(CreateEventW(nullptr, TRUE, FALSE, nullptr));
    return reinterpret_cast<uintptr_t>(probe.Get());
}

long GdiObjectsInUse() {
    if (const DWORD counted = GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS)) return static_cast<long>(counted);
    std::vector<win32::Brush> burst;
    long highest = 0;
    for (int i = 0; i < 256; ++i) {
        burst.emplace_back(CreateSolidBrush(static_cast<COLORREF>(i)));
        highest = std::max(highest, static_cast<long>(reinterpret_cast<UINT_PTR>(burst.back().Get()) & 0xFFFF));
    }
    return highest;
}

// Windows reports it; Wine answers 0, so there the committed private regions
// of the address space are added up.
size_t PrivateBytes() {
    PROCESS_MEMORY_COUNTERS_EX counters = {};
    counters.cb = sizeof counters;
    if (GetProcessMemoryInfo(GetCurrentProcess(), reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&counters),
                             sizeof counters) &&
        counters.PrivateUsage != 0) {
        return counters.PrivateUsage;
    }
    size_t committed = 0;
    MEMORY_BASIC_INFORMATION region = {};
    for (const char* address = nullptr; VirtualQuery(address, &region, sizeof region) == sizeof region;
         address = static_cast<const char*>(region.BaseAddress) + region.RegionSize) {
        if (region.State == MEM_COMMIT && region.Type == MEM_PRIVATE) committed += region.RegionSize;
        if (region.RegionSize == 0) break;
    }
    return committed;
}

ProcessUsage MeasureUsage() {
    ProcessUsage usage;
    usage.heapBytes = BusyHeapBytes();
    GetProcessHandleCount(GetCurrentProcess(), &usage.handles);
    usage.nextHandle = NextHandleValue();
    usage.gdiObjects = GdiObjectsInUse();
    usage.privateBytes = PrivateBytes();
    return usage;
}

std::string DescribeChange(const ProcessUsage& before, const ProcessUsage& after) {
    char text[320];
    std::snprintf(text, sizeof text,
                  "heap %zu -> %zu bytes, private memory %zu -> %zu bytes, handles %lu -> %lu, "
                  "next handle %#zx -> %#zx, GDI objects %ld -> %ld",
                  before.heapBytes, after.heapBytes, before.privateBytes, after.privateBytes, before.handles,
                  after.handles, static_cast<size_t>(before.nextHandle), static_cast<size_t>(after.nextHandle),
                  before.gdiObjects, after.gdiObjects);
    return text;
}

}  // namespace quillant::testing
