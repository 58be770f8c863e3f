// Memory blocks, the same for every host over its own zero-filled memory
// (system_memory.h). Each block's size is remembered: the clipboard reads blocks it was
// handed by their size, and a pointer an application hands back is released only when it
// is one of these. Allocations are refused on request: a countdown to the one that fails,
// consulted by each sizeable allocation of the library.
#include <unordered_map>

#include "platform/common/system_memory.h"
#include "platform/host.h"

namespace host {
namespace {

std::unordered_map<const void*, size_t>& sizes() {
    static std::unordered_map<const void*, size_t> s;
    return s;
}

// Allocations still to go before the one that is refused; 0: none is.
int refuse_countdown = 0;

}  // namespace

bool allocation_refused() {
    if (refuse_countdown <= 0) return false;
    return --refuse_countdown == 0;
}

int fail_allocation(int n) {
    if (n < 0) return -1;
    const int pending = refuse_countdown;
    refuse_countdown = n;
    return pending;
}

void* block_alloc(size_t bytes) {
    void* block = bytes && !allocation_refused() ? system_memory::allocate_zeroed(bytes) : nullptr;
    if (block) sizes()[block] = bytes;
    return block;
}

void block_free(void* block) {
    if (!block || !sizes().erase(block)) return;
    system_memory::release(block);
}

size_t block_size(const void* block) {
    auto it = sizes().find(block);
    return it == sizes().end() ? 0 : it->second;
}

size_t live_blocks() { return sizes().size(); }

size_t memory_available_kb() { return system_memory::available_kb(); }

}  // namespace host
