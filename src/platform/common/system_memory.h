// What a host's memory must do for the blocks in common/memory.cpp.
#pragma once

#include <cstddef>

namespace host::system_memory {

// Zero-filled memory of `bytes` (> 0) bytes, or nullptr.
void* allocate_zeroed(size_t bytes);
void release(void* block);
// Memory the system could still give, in kilobytes; 0 when it does not say.
size_t available_kb();

}  // namespace host::system_memory
