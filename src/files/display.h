// Any picture file shown by its contents: BMP, PCX, JPEG or an FLI/FLC animation's first
// frame, from a named file or from caller memory.
#pragma once

#include <cstdint>

namespace files {

// The named file with its top-left corner at (x, y); keep: the library palette stays.
int display_file(const char* filename, int x, int y, bool keep);
// A whole file's size bytes in caller memory; flags 1, 2 and 8 as the readers take them.
int display_memory(const void* data, int size, int flags);

}  // namespace files
