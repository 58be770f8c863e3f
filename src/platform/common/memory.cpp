// Zero-filled memory blocks. calloc gives fresh pages without touching them, which keeps
// the allocation of large buffers cheap. Each block remembers its size in a prefix, as the
// clipboard needs it to read blocks it was handed without running past their end.
#include <cstdlib>

#include "platform/host.h"

namespace host {
namespace {

// The prefix keeps the block itself aligned for any type.
constexpr size_t prefix = alignof(std::max_align_t) > sizeof(size_t) ? alignof(std::max_align_t) : sizeof(size_t);

}  // namespace

void* block_alloc(size_t bytes) {
    if (!bytes || bytes > SIZE_MAX - prefix) return nullptr;
    auto* raw = static_cast<unsigned char*>(std::calloc(1, bytes + prefix));
    if (!raw) return nullptr;
    *reinterpret_cast<size_t*>(raw) = bytes;
    return raw + prefix;
}

void block_free(void* block) {
    if (block) std::free(static_cast<unsigned char*>(block) - prefix);
}

size_t block_size(const void* block) {
    return block ? *reinterpret_cast<const size_t*>(static_cast<const unsigned char*>(block) - prefix) : 0;
}

}  // namespace host
