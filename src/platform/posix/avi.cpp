// AVI files on POSIX hosts: the library's built-in reader and writer (platform/common),
// with FFmpeg's codecs where the build has them.
#include "platform/common/avi_objects.h"

namespace host {

// There is no system library to load: the built-in one is always there.
void avi_load() {}

void avi_init() { avi::builtin::start(); }
void avi_exit() { avi::builtin::end(); }
int avi_open_stream(const char* filename, uint32_t type) { return avi::builtin::open_stream(filename, type); }
int avi_read_format(int stream, uint8_t* dst, size_t capacity) { return avi::builtin::read_format(stream, dst, capacity); }
bool avi_stream_info(int stream, AviStreamInfo& info) { return avi::builtin::stream_info(stream, info); }
int avi_frame_open(int stream, const uint8_t* format, size_t bytes) { return avi::builtin::frame_open(stream, format, bytes); }
const uint8_t* avi_frame(int reader, int position, size_t* bytes) { return avi::builtin::frame(reader, position, bytes); }
void avi_frame_close(int reader) { avi::builtin::frame_close(reader); }
int avi_file_create(const char* filename) { return avi::builtin::file_create(filename); }
void avi_file_release(int file) { avi::builtin::file_release(file); }
int avi_create_stream(int file, const AviStreamInfo& info) { return avi::builtin::create_stream(file, info); }
bool avi_save_options(AviCompressOptions& options) { return avi::builtin::save_options(options); }
int avi_make_compressed(int stream, const AviCompressOptions& options) { return avi::builtin::make_compressed(stream, options); }
bool avi_set_format(int stream, const uint8_t* format, size_t bytes) { return avi::builtin::set_format(stream, format, bytes); }
bool avi_write(int stream, int position, const void* data, size_t bytes, bool key_frame) {
    return avi::builtin::write(stream, position, data, bytes, key_frame);
}
void avi_stream_release(int stream) { avi::builtin::stream_release(stream); }

}  // namespace host
