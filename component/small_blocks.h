#pragma once
// Quillant.dll's operator new and delete keep each thread's freed small
// blocks for that thread's next allocations (small_blocks.cpp says why).
// The module's entry point tells them when a thread or the module ends, so
// that no block outlives its thread or the module.

namespace quillant::component {

// The module is loaded: threads may keep blocks from now on.
void SmallBlocksBegin();

// The calling thread ends: its kept blocks go back to the heap, and what it
// allocates or frees from now on goes to the heap directly.
void SmallBlocksThreadEnds();

// The module ends: every thread's kept blocks go back to the heap, unless
// the whole process is ending (then other threads may have stopped anywhere
// and nothing is touched). Static destructors that run later free directly.
void SmallBlocksEnd(bool processEnds);

}  // namespace quillant::component
