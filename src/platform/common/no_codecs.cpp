// Without FFmpeg (not found when the library was built) the built-in codecs are all there
// are: streams of other codecs are not read and no other codec writes.
#ifndef RSW32_FFMPEG

#include "platform/common/avi_objects.h"

namespace host::avi {

std::unique_ptr<CodecReader> open_codec_reader(const char*, const uint8_t*, size_t, int, int, int) { return nullptr; }
bool codec_writes(uint32_t) { return false; }
std::unique_ptr<CodecWriter> open_codec_writer(uint32_t, int, const uint8_t*, size_t, uint32_t, uint32_t) { return nullptr; }

}  // namespace host::avi

#endif
