// The module's entry point. Quillant.dll needs to hear of threads that end
// only so that their kept small blocks go back to the heap.

#include <windows.h>

#include "component/small_blocks.h"

extern "C" BOOL WINAPI DllMain(HINSTANCE, DWORD reason, LPVOID reserved) {
    switch (reason) {
        case DLL_PROCESS_ATTACH:
            quillant::component::SmallBlocksBegin();
            break;
        case DLL_THREAD_DETACH:
            quillant::component::SmallBlocksThreadEnds();
            break;
        case DLL_PROCESS_DETACH:
            quillant::component::SmallBlocksEnd(reserved != nullptr);
            break;
        default:
            break;
    }
    return TRUE;
}
