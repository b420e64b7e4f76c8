// Every heap call of Wine 8 takes its heap's one lock (it has no
// low-fragmentation heap). An image makes some fifty small allocations
// (strings and vectors of the layout and the caption) and a few of some
// kilobytes (the PNG file, its rows and codes), so two threads making images
// spent more time handing that lock back and forth than drawing: two
// threads made 1.3 times the images of one, where two processes made twice
// as many. Each thread therefore keeps the blocks it frees and allocates from
// them first; the heap sees a thread only when its kept blocks of a size run
// out or overflow. Windows' own heap gains too, though less.
//
// Every block carries a header naming its size class, so a block allocated
// on one thread may be freed on any other (it then joins that thread's
// blocks), and blocks made before the threads could keep any, or after the
// module stopped them, are freed the same way.

#include "component/small_blocks.h"

#include <windows.h>

#include <atomic>
#include <cstdint>
#include <cstdlib>
#include <new>

namespace quillant::component {
namespace {

// The header keeps the heap's alignment for the caller's part of the block.
constexpr std::size_t kHeader = 16;
// Small blocks come in steps of 16 bytes up to 512, larger ones in powers of
// two up to 32 KB (a picture's PNG file is mostly under 16 KB); larger
// blocks are rare enough to go to the heap.
constexpr std::size_t kStep = 16;
constexpr std::uint32_t kSmallClasses = 32;
constexpr std::size_t kLargestSmall = kSmallClasses * kStep;
constexpr std::uint32_t kLargeClasses = 6;  // 1, 2, 4, 8, 16 and 32 KB
constexpr std::uint32_t kClasses = kSmallClasses + kLargeClasses;
constexpr std::size_t kLargest = kLargestSmall << kLargeClasses;
constexpr std::uint32_t kUnkept = 0xFFFFFFFFu;
// A thread keeps about this many bytes of each small size, at least a few
// blocks, and two of each large size (94 KB at most): enough for an image's
// churn, little for a pool of idle threads.
constexpr std::size_t kBytesKeptPerClass = 2048;
constexpr std::uint32_t kFewestKept = 4;
constexpr std::uint32_t kLargeKept = 2;

struct FreeBlock {
    FreeBlock* next;
};

struct ThreadBlocks {
    FreeBlock* free[kClasses] = {};
    std::uint32_t count[kClasses] = {};
    ThreadBlocks* previous = nullptr;
    ThreadBlocks* next = nullptr;
};

// The slot's value on a thread whose blocks were given back: it keeps none
// again (other modules' thread-end code may still allocate).
ThreadBlocks* const kEnded = reinterpret_cast<ThreadBlocks*>(std::uintptr_t{1});

std::atomic<bool> open{false};
DWORD slot = TLS_OUT_OF_INDEXES;
// Every thread's blocks, so that the module's end can give them all back.
// Held only to link or unlink a thread's record, never while allocating.
SRWLOCK listLock = SRWLOCK_INIT;
ThreadBlocks* threads = nullptr;

constexpr std::size_t BytesOfClass(std::uint32_t sizeClass) {
    return sizeClass < kSmallClasses ? (sizeClass + 1) * kStep : kLargestSmall << (sizeClass - kSmallClasses + 1);
}

// The class of a block of 1 to kLargest bytes (0 bytes take the first).
std::uint32_t ClassOf(std::size_t bytes) {
    if (bytes <= kLargestSmall) return bytes ? static_cast<std::uint32_t>((bytes - 1) / kStep) : 0;
    std::uint32_t sizeClass = kSmallClasses;
    while (BytesOfClass(sizeClass) < bytes) ++sizeClass;
    return sizeClass;
}

constexpr std::uint32_t KeptAtMost(std::uint32_t sizeClass) {
    if (sizeClass >= kSmallClasses) return kLargeKept;
    const std::size_t bytes = BytesOfClass(sizeClass);
    return kBytesKeptPerClass / bytes > kFewestKept ? static_cast<std::uint32_t>(kBytesKeptPerClass / bytes)
                                                     : kFewestKept;
}

std::uint32_t& SizeClassOf(void* block) {
    return *reinterpret_cast<std::uint32_t*>(static_cast<unsigned char*>(block) - kHeader);
}

// TlsGetValue clears the thread's last error, which a caller may be about
// to read after a failed call that allocates on the way (a message, say).
ThreadBlocks* SlotValue() {
    const DWORD error = GetLastError();
    void* value = TlsGetValue(slot);
    SetLastError(error);
    return static_cast<ThreadBlocks*>(value);
}

void GiveBack(ThreadBlocks& blocks) {
    for (std::uint32_t sizeClass = 0; sizeClass < kClasses; ++sizeClass) {
        while (FreeBlock* block = blocks.free[sizeClass]) {
            blocks.free[sizeClass] = block->next;
            std::free(reinterpret_cast<unsigned char*>(block) - kHeader);
        }
        blocks.count[sizeClass] = 0;
    }
}

// The calling thread's blocks, made on its first use; null once the module
// or the thread has stopped keeping blocks.
ThreadBlocks* CurrentThreadBlocks() {
    if (!open.load(std::memory_order_acquire)) return nullptr;
    ThreadBlocks* blocks = SlotValue();
    if (blocks == kEnded) return nullptr;
    if (blocks) return blocks;
    void* memory = std::malloc(sizeof(ThreadBlocks));
    if (!memory) return nullptr;
    blocks = new (memory) ThreadBlocks;
    AcquireSRWLockExclusive(&listLock);
    blocks->next = threads;
    if (threads) threads->previous = blocks;
    threads = blocks;
    ReleaseSRWLockExclusive(&listLock);
    const DWORD error = GetLastError();
    TlsSetValue(slot, blocks);
    SetLastError(error);
    return blocks;
}

void* FromHeap(std::size_t bytes, std::uint32_t sizeClass) {
    for (;;) {
        if (void* raw = std::malloc(kHeader + bytes)) {
            void* block = static_cast<unsigned char*>(raw) + kHeader;
            SizeClassOf(block) = sizeClass;
            return block;
        }
        const std::new_handler handler = std::get_new_handler();
        if (!handler) throw std::bad_alloc();
        handler();
    }
}

void* Allocate(std::size_t bytes) {
    if (bytes > kLargest) return FromHeap(bytes, kUnkept);
    const std::uint32_t sizeClass = ClassOf(bytes);
    if (ThreadBlocks* blocks = CurrentThreadBlocks()) {
        if (FreeBlock* block = blocks->free[sizeClass]) {
            blocks->free[sizeClass] = block->next;
            --blocks->count[sizeClass];
            return block;  // its header still names its class
        }
    }
    return FromHeap(BytesOfClass(sizeClass), sizeClass);
}

void Release(void* block) {
    if (!block) return;
    const std::uint32_t sizeClass = SizeClassOf(block);
    if (sizeClass < kClasses) {
        if (ThreadBlocks* blocks = CurrentThreadBlocks()) {
            if (blocks->count[sizeClass] < KeptAtMost(sizeClass)) {
                auto* freed = static_cast<FreeBlock*>(block);
                freed->next = blocks->free[sizeClass];
                blocks->free[sizeClass] = freed;
                ++blocks->count[sizeClass];
                return;
            }
        }
    }
    std::free(static_cast<unsigned char*>(block) - kHeader);
}

}  // namespace

void SmallBlocksBegin() {
    slot = TlsAlloc();
    open.store(slot != TLS_OUT_OF_INDEXES, std::memory_order_release);
}

void SmallBlocksThreadEnds() {
    if (!open.load(std::memory_order_acquire)) return;
    ThreadBlocks* blocks = SlotValue();
    TlsSetValue(slot, kEnded);
    if (!blocks || blocks == kEnded) return;
    AcquireSRWLockExclusive(&listLock);
    if (blocks->previous) blocks->previous->next = blocks->next;
    if (blocks->next) blocks->next->previous = blocks->previous;
    if (threads == blocks) threads = blocks->next;
    ReleaseSRWLockExclusive(&listLock);
    GiveBack(*blocks);
    blocks->~ThreadBlocks();
    std::free(blocks);
}

void SmallBlocksEnd(bool processEnds) {
    if (!open.exchange(false, std::memory_order_acq_rel)) return;
    if (processEnds) return;
    // The module is being unloaded, so none of its code runs on any thread.
    AcquireSRWLockExclusive(&listLock);
    ThreadBlocks* list = threads;
    threads = nullptr;
    ReleaseSRWLockExclusive(&listLock);
    while (list) {
        ThreadBlocks* next = list->next;
        GiveBack(*list);
        list->~ThreadBlocks();
        std::free(list);
        list = next;
    }
    TlsFree(slot);
    slot = TLS_OUT_OF_INDEXES;
}

}  // namespace quillant::component

void* operator new(std::size_t bytes) { return quillant::component::Allocate(bytes); }
void* operator new[](std::size_t bytes) { return quillant::component::Allocate(bytes); }
void operator delete(void* block) noexcept { quillant::component::Release(block); }
void operator delete[](void* block) noexcept { quillant::component::Release(block); }
void operator delete(void* block, std::size_t) noexcept { quillant::component::Release(block); }
void operator delete[](void* block, std::size_t) noexcept { quillant::component::Release(block); }
