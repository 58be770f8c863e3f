// Zero-filled memory blocks. calloc gives fresh pages without touching them, which keeps
// the allocation of large buffers cheap. The host remembers each block's size, as the
// clipboard needs it to read blocks it was handed without running past their end.
#include <cstdio>
#include <cstdlib>
#include <unordered_map>

#include "platform/host.h"

namespace host {
namespace {

std::unordered_map<const void*, size_t>& sizes() {
    static std::unordered_map<const void*, size_t> s;
    return s;
}

}  // namespace

size_t live_blocks() { return sizes().size(); }

void* block_alloc(size_t bytes) {
    void* block = bytes && !allocation_refused() ? std::calloc(1, bytes) : nullptr;
    if (block) sizes()[block] = bytes;
    return block;
}

void block_free(void* block) {
    if (!block) return;
    sizes().erase(block);
    std::free(block);
}

size_t memory_available_kb() {
    // Linux reports it in /proc/meminfo; elsewhere the count is unknown and reads as 0.
    FILE* f = std::fopen("/proc/meminfo", "r");
    if (!f) return 0;
    char line[128];
    size_t kb = 0;
    while (std::fgets(line, sizeof line, f))
        if (std::sscanf(line, "MemAvailable: %zu kB", &kb) == 1) break;
    std::fclose(f);
    return kb;
}

size_t block_size(const void* block) {
    auto it = sizes().find(block);
    return it == sizes().end() ? 0 : it->second;
}

}  // namespace host
