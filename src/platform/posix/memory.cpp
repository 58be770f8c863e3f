// Zero-filled memory from the C library. calloc gives fresh pages without touching them,
// which keeps the allocation of large buffers cheap.
#include <cstdio>
#include <cstdlib>

#include "platform/common/system_memory.h"

namespace host::system_memory {

void* allocate_zeroed(size_t bytes) { return std::calloc(1, bytes); }
void release(void* block) { std::free(block); }

size_t available_kb() {
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

}  // namespace host::system_memory
