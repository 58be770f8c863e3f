// Zero-filled memory blocks from the process heap. The host remembers each block it gave
// out: the clipboard reads blocks it was handed by their size, and a pointer an application
// hands back is freed only when it is one of these (the heap's own size query is undefined
// for anything else).
#include <windows.h>

#include <unordered_map>

#include "platform/host.h"

namespace host {
namespace {

std::unordered_map<const void*, size_t>& sizes() {
    static std::unordered_map<const void*, size_t> s;
    return s;
}

}  // namespace

void* block_alloc(size_t bytes) {
    void* block = bytes && !allocation_refused() ? HeapAlloc(GetProcessHeap(), HEAP_ZERO_MEMORY, bytes) : nullptr;
    if (block) sizes()[block] = bytes;
    return block;
}

void block_free(void* block) {
    if (!block || !sizes().erase(block)) return;
    HeapFree(GetProcessHeap(), 0, block);
}

size_t memory_available_kb() {
    MEMORYSTATUSEX status{};
    status.dwLength = sizeof status;
    if (!GlobalMemoryStatusEx(&status)) return 0;
    // A 32-bit process can use no more than its own address space holds.
    const DWORDLONG bytes = status.ullAvailPhys < status.ullAvailVirtual ? status.ullAvailPhys : status.ullAvailVirtual;
    return size_t(bytes / 1024);
}

size_t live_blocks() { return sizes().size(); }

size_t block_size(const void* block) {
    auto it = sizes().find(block);
    return it == sizes().end() ? 0 : it->second;
}

}  // namespace host
