// The host's AVI file library: video streams of RIFF AVI files read as decoded frames, and
// files written frame by frame, with the calls the AVI family makes in the order it makes
// them (initialise, open a stream, read its format and information, open a frame reader,
// get frames, release; or create a file, a stream, a compressed stream, set its format,
// write frames, release).
//
// Files, streams and frame readers are named by positive 32-bit numbers, so that the
// caller-owned context records can hold them; 0 is never an object. A number that does not
// name a live object of the expected kind is refused by every call.
//
// The built-in library (platform/common/avi_*.cpp) reads the first video stream through
// `idx1` or OpenDML (`indx`) indexes, or by walking the `movi` list when a file has neither,
// in files of any size the file layer can seek in; it decodes uncompressed frames at 1, 2,
// 4, 8, 16 (5-5-5 or 5-6-5 bit fields), 24 and 32 bits and run-length coded 4- and 8-bit
// frames itself, and hands frames of other codecs to a decoder registered for their four
// characters (Motion-JPEG: the JPEG family registers its decoder). It writes uncompressed
// frames, and run-length coded 4- and 8-bit frames for the handler `MRLE`. Built with
// FFmpeg (platform/ffmpeg), it also reads streams of any other codec FFmpeg decodes and
// codes frames for any handler FFmpeg has a coder of; without it those streams get no frame
// reader and those handlers no compressed stream. POSIX hosts use it for everything.
//
// The Windows host (platform/windows/avi.cpp) goes through the system's AVI file library,
// AVIFIL32.DLL, loaded by avi_load, with its codecs; where the DLL or one of its entry
// points is missing it uses the built-in library instead. With the system's library, every
// file is written by it (run-length coded frames coded by this library, losslessly), and
// streams of codecs the built-in reader does not decode exactly are read through it; the
// built-in reader vets every file first, reads the others, and takes a stream the system
// cannot open or decode. Files written through the system's library keep the built-in
// writer's rule: they replace a file of their name only when complete.
#pragma once

#include <cstddef>
#include <cstdint>

namespace host {

// Four characters as a RIFF file stores them: the first in the low byte.
constexpr uint32_t fourcc(char a, char b, char c, char d) {
    return uint32_t(uint8_t(a)) | uint32_t(uint8_t(b)) << 8 | uint32_t(uint8_t(c)) << 16 | uint32_t(uint8_t(d)) << 24;
}
constexpr uint32_t avi_video = fourcc('v', 'i', 'd', 's');
constexpr uint32_t avi_uncompressed = fourcc('D', 'I', 'B', ' ');
constexpr uint32_t avi_rle = fourcc('M', 'R', 'L', 'E');

// What a stream header says, as far as the library uses it.
struct AviStreamInfo {
    uint32_t type = avi_video;
    uint32_t handler = 0;
    uint32_t scale = 1, rate = 0;   // frames per second = rate / scale
    int32_t start = 0, length = 0;  // first frame number and number of frames
    uint32_t suggested_buffer = 0;  // bytes of the largest frame
    int32_t quality = -1;
    int32_t width = 0, height = 0;  // frame rectangle
};

// How a compressed stream codes its frames: the codec's four characters and a quality
// 0..10000 (-1: the codec's default).
struct AviCompressOptions {
    uint32_t type = avi_video;
    uint32_t handler = avi_uncompressed;
    int32_t quality = -1;
};

// Decodes one compressed frame of `bytes` bytes into a bottom-up bitmap of width × height
// at bits (24 or 32) per pixel, rows padded to 4 bytes; false when the data is unusable.
// Pixels the data does not cover are left as they were.
using AviFrameDecoder = bool (*)(const uint8_t* data, size_t bytes, uint8_t* pixels, int width, int height, int bits);
// Frames whose format names `handler` (a bitmap header's compression) go to `decoder`.
void avi_set_decoder(uint32_t handler, AviFrameDecoder decoder);

// Called when the library is initialised: a host with a system AVI library loads it here,
// once; it stays loaded until the process ends, as its objects may outlive any user.
void avi_load();

// Start and end of a user of the library; they pair up, and objects stay valid until
// released whatever the count.
void avi_init();
void avi_exit();

// ---- reading ------------------------------------------------------------------------
// The first stream of `type` in the file; 0 when the file cannot be opened, is not an AVI
// file, or has no such stream.
int avi_open_stream(const char* filename, uint32_t type);
// The stream's format (a bitmap header and colour table for video): its size in bytes,
// with min(size, capacity) bytes copied to dst when dst is not null; -1 for a bad stream.
int avi_read_format(int stream, uint8_t* dst, size_t capacity);
bool avi_stream_info(int stream, AviStreamInfo& info);
// A reader of the stream's frames decoded into `format` (a 40-byte bitmap header, no
// compression, the stream's width and height, followed by the colour table it needs):
// 0 when the stream's frames cannot be delivered so.
int avi_frame_open(int stream, const uint8_t* format, size_t bytes);
// Frame `position` (counted as the stream counts, from its start) as a packed bitmap: the
// format given at open, then the pixels, `*bytes` in all. nullptr when there is no such
// frame or its data are damaged. The bitmap stays valid until the next call on the reader.
const uint8_t* avi_frame(int reader, int position, size_t* bytes);
void avi_frame_close(int reader);

// ---- writing ------------------------------------------------------------------------
// A new file, written out when the last of it and its streams is released; it then
// replaces a file of that name, which stays untouched when the writing failed or the
// stream never got a format. 0 when it cannot be created.
int avi_file_create(const char* filename);
void avi_file_release(int file);
// A stream of the file (one video stream a file); 0 when it cannot be made.
int avi_create_stream(int file, const AviStreamInfo& info);
// The options a user would choose for a new stream. There is no dialog: the choice is the
// library's uncompressed frames; false would mean the user cancelled.
bool avi_save_options(AviCompressOptions& options);
// A stream that codes frames with the options' codec before they reach `stream`; 0 when
// the codec is not one this library writes.
int avi_make_compressed(int stream, const AviCompressOptions& options);
// The format of the frames given to avi_write: a 40-byte bitmap header with its colour
// table. Set once, before the first frame; false when the codec cannot take it.
bool avi_set_format(int stream, const uint8_t* format, size_t bytes);
// Writes frame `position` (the next one) from `bytes` bytes: a bottom-up bitmap of the
// format's size. False when the stream refuses it or the file cannot be written.
bool avi_write(int stream, int position, const void* data, size_t bytes, bool key_frame);
void avi_stream_release(int stream);

// ---- test hooks ----------------------------------------------------------------------
// Frames (decoded or written) of more than `bytes` bytes are refused; 0 puts back the
// limit at start, 256 MB. Fuzzing lowers it so that made-up sizes stay quick.
void avi_frame_limit(uint64_t bytes);

}  // namespace host
