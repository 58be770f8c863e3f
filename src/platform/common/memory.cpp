// Zero-filled memory blocks. calloc gives fresh pages without touching them, which keeps
// the allocation of large buffers cheap.
#include <cstdlib>

#include "platform/host.h"

namespace host {

void* block_alloc(size_t bytes) { return bytes ? std::calloc(1, bytes) : nullptr; }
void block_free(void* block) { std::free(block); }

}  // namespace host
