// The JPEG family's routines behind the exports (see rsw32.h for their contracts).
#pragma once

namespace files {

int jpeg_head(const char* filename, unsigned char* header);
int jpeg_size(const unsigned char* header, int* width, int* height);
int show_jpeg(const char* filename, int flags);
int jpeg_buf(const void* data, int size);
int jpeg_mem(const unsigned char* header);

}  // namespace files
