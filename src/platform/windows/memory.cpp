// Zero-filled memory from the process heap.
#include <windows.h>

#include "platform/common/system_memory.h"

namespace host::system_memory {

void* allocate_zeroed(size_t bytes) { return HeapAlloc(GetProcessHeap(), HEAP_ZERO_MEMORY, bytes); }
void release(void* block) { HeapFree(GetProcessHeap(), 0, block); }

size_t available_kb() {
    MEMORYSTATUSEX status{};
    status.dwLength = sizeof status;
    if (!GlobalMemoryStatusEx(&status)) return 0;
    // A 32-bit process can use no more than its own address space holds.
    const DWORDLONG bytes = status.ullAvailPhys < status.ullAvailVirtual ? status.ullAvailPhys : status.ullAvailVirtual;
    return size_t(bytes / 1024);
}

}  // namespace host::system_memory
