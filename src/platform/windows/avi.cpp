// AVI files through the system's AVI file library, AVIFIL32.DLL, loaded when the library is
// initialised and reached through the entry points it exports by name. The system library
// brings the system's codecs; the built-in library (platform/common/avi_*.cpp) stands in
// for all of it when the DLL or one of its entry points is missing, and for one file when
// the system cannot open it or cannot deliver its frames in the format asked for (a stream
// of a codec the system lacks that the built-in reader or a registered decoder handles).
// Run-length coded frames are coded by the library itself on this host too, and streams the
// built-in reader decodes exactly (uncompressed, run-length coded, registered decoders) are
// read by it, so that they are the same pixels everywhere: the system writes every file and
// reads the streams of its other codecs. (Under Wine the system's run-length coder drops
// colours below full quality and takes no 4-bit frames, its decoder gets the last pixel of
// odd-width rows wrong, and its parser faults on some uncompressed files it wrote itself.)
//
// The objects of both are numbered from the built-in library's table, with kinds of their
// own, so that a number names one object whichever library made it and every call refuses
// a number of the wrong kind.
//
// Writing: the system library writes a file under a name of its own beside the target.
// When the last of the file and its streams is released the system finishes it; the
// library then opens the result with the built-in reader and only when its stream is there
// with every frame written does the file take the target's name. A file whose writes
// failed, that never got a format, or that the system did not finish, is removed, and a
// file of the target's name stays as it was: the rule of the built-in writer.
#include <windows.h>
#include <mmsystem.h>
#include <vfw.h>

#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "platform/common/avi_objects.h"
#include "platform/common/system_file.h"
#include "platform/windows/avi_system.h"
#include "platform/file.h"

namespace host {
namespace {

using namespace avi;

// The system library's entry points, looked up by name.
struct Entries {
    decltype(&AVIFileInit) file_init = nullptr;
    decltype(&AVIFileExit) file_exit = nullptr;
    decltype(&AVIFileOpenA) file_open = nullptr;
    decltype(&AVIFileRelease) file_release = nullptr;
    decltype(&AVIFileCreateStreamA) create_stream = nullptr;
    decltype(&AVIMakeCompressedStream) make_compressed = nullptr;
    decltype(&AVIStreamOpenFromFileA) open_stream = nullptr;
    decltype(&AVIStreamReadFormat) read_format = nullptr;
    decltype(&AVIStreamInfoA) stream_info = nullptr;
    decltype(&AVIStreamGetFrameOpen) frame_open = nullptr;
    decltype(&AVIStreamGetFrame) frame = nullptr;
    decltype(&AVIStreamGetFrameClose) frame_close = nullptr;
    decltype(&AVIStreamSetFormat) set_format = nullptr;
    decltype(&AVIStreamWrite) write = nullptr;
    decltype(&AVIStreamRelease) stream_release = nullptr;
};

struct System {
    HMODULE module = nullptr;
    bool usable = false;  // every entry point found
    Entries call;
    int users = 0;        // avi_init calls not yet paired with avi_exit
    int objects = 0;      // live system objects, which hold one initialisation between them
};

System& sys() {
    static System s;
    return s;
}

// The AVI file handler, given by class so that names of any extension (the temporary
// names among them) open as AVI files.
const CLSID avi_file_handler = {0x00020000, 0, 0, {0xC0, 0, 0, 0, 0, 0, 0, 0x46}};

template <class F>
bool entry(HMODULE module, const char* name, F& f) {
    f = reinterpret_cast<F>(reinterpret_cast<void*>(GetProcAddress(module, name)));
    return f != nullptr;
}

bool look_up(HMODULE m, Entries& e) {
    bool all = true;
    all &= entry(m, "AVIFileInit", e.file_init);
    all &= entry(m, "AVIFileExit", e.file_exit);
    all &= entry(m, "AVIFileOpenA", e.file_open);
    all &= entry(m, "AVIFileRelease", e.file_release);
    all &= entry(m, "AVIFileCreateStreamA", e.create_stream);
    all &= entry(m, "AVIMakeCompressedStream", e.make_compressed);
    all &= entry(m, "AVIStreamOpenFromFileA", e.open_stream);
    all &= entry(m, "AVIStreamReadFormat", e.read_format);
    all &= entry(m, "AVIStreamInfoA", e.stream_info);
    all &= entry(m, "AVIStreamGetFrameOpen", e.frame_open);
    all &= entry(m, "AVIStreamGetFrame", e.frame);
    all &= entry(m, "AVIStreamGetFrameClose", e.frame_close);
    all &= entry(m, "AVIStreamSetFormat", e.set_format);
    all &= entry(m, "AVIStreamWrite", e.write);
    all &= entry(m, "AVIStreamRelease", e.stream_release);
    return all;
}

// Every system object holds the library initialised while it lives, so that it stays
// valid after its user's avi_exit (objects live until released whatever the count).
void hold() {
    if (sys().objects++ == 0) sys().call.file_init();
}
void let_go() {
    if (--sys().objects == 0) sys().call.file_exit();
}

bool valid_frame_bits(int bits) { return bits == 1 || bits == 4 || bits == 8 || bits == 16 || bits == 24 || bits == 32; }

// ---- reading ---------------------------------------------------------------------------

struct SysReadStream : Object {
    PAVISTREAM stream = nullptr;
    std::string name;
    AviStreamInfo info;
    std::vector<uint8_t> format;
    SysReadStream() { hold(); }
    ~SysReadStream() override {
        if (stream) sys().call.stream_release(stream);
        let_go();
    }
};

struct SysFrameReader : Object {
    std::shared_ptr<SysReadStream> stream;
    PGETFRAME frames = nullptr;
    int width = 0, height = 0, bits = 0;
    size_t header = 0;
    uint64_t image = 0;
    std::unique_ptr<uint8_t[]> block;  // the format given at open, then one frame's pixels
    std::vector<uint32_t> wanted;      // the format as the system was given it, kept while it decodes
    ~SysFrameReader() override {
        if (frames) sys().call.frame_close(frames);
    }
};

// The stream the system opens, with its format and information read once; nullptr when it
// cannot open the file or the stream is not one this library reads.
std::shared_ptr<SysReadStream> system_stream(const char* filename) {
    auto s = std::make_shared<SysReadStream>();
    PAVISTREAM& ps = s->stream;
    if (sys().call.open_stream(&ps, filename, streamtypeVIDEO, 0, OF_READ | OF_SHARE_DENY_WRITE,
                               const_cast<CLSID*>(&avi_file_handler)) != AVIERR_OK || !ps) {
        ps = nullptr;
        return nullptr;
    }
    s->name = filename;
    LONG size = 0;
    AVISTREAMINFOA si{};
    if (sys().call.read_format(ps, 0, nullptr, &size) != AVIERR_OK || size < bitmap_header || size > 0x100000 ||
        sys().call.stream_info(ps, &si, sizeof si) != AVIERR_OK)
        return nullptr;
    s->format.resize(size_t(size));
    if (sys().call.read_format(ps, 0, s->format.data(), &size) != AVIERR_OK) return nullptr;
    s->format.resize(size_t(size));
    AviStreamInfo& i = s->info;
    i.type = si.fccType, i.handler = si.fccHandler, i.scale = si.dwScale, i.rate = si.dwRate;
    i.start = int32_t(si.dwStart), i.length = int32_t(si.dwLength), i.suggested_buffer = si.dwSuggestedBufferSize;
    i.quality = int32_t(si.dwQuality);
    i.width = si.rcFrame.right - si.rcFrame.left, i.height = si.rcFrame.bottom - si.rcFrame.top;
    if (i.start < 0 || i.length < 0) return nullptr;
    return s;
}

// A built-in reader of the file behind a system stream, for frames the system cannot give.
int builtin_reader(const std::string& name, const uint8_t* format, size_t bytes) {
    const int stream = builtin::open_stream(name.c_str(), avi_video);
    const int reader = stream ? builtin::frame_open(stream, format, bytes) : 0;
    builtin::stream_release(stream);  // the reader keeps what it needs
    return reader;
}

int system_frame_open(const std::shared_ptr<SysReadStream>& s, const uint8_t* format, size_t bytes) {
    const uint8_t* f = s->format.data();
    const int32_t width = int32_t(get32(f + 4)), height = int32_t(get32(f + 8));
    auto r = std::make_shared<SysFrameReader>();
    r->stream = s;
    r->width = int32_t(get32(format + 4)), r->height = int32_t(get32(format + 8)), r->bits = get16(format + 14);
    // What the built-in reader takes: the stream's own size, bottom-up, uncompressed.
    if (get32(format) < bitmap_header || get32(format) > bytes || get32(format + 16) != bi_rgb || r->width != width ||
        r->width <= 0 || r->height <= 0 || height == INT32_MIN || r->height != (height < 0 ? -height : height) ||
        !valid_frame_bits(r->bits))
        return 0;
    r->image = row_bytes(r->width, r->bits) * uint64_t(r->height);
    if (r->image > frame_limit()) return 0;

    // The system reads the header where it expects one, aligned.
    std::vector<uint32_t>& wanted = r->wanted;
    wanted.resize((bytes + 3) / 4);
    std::memcpy(wanted.data(), format, bytes);
    put32(reinterpret_cast<uint8_t*>(wanted.data()) + 20, uint32_t(r->image));
    r->frames = sys().call.frame_open(s->stream, reinterpret_cast<BITMAPINFOHEADER*>(wanted.data()));
    if (!r->frames) return builtin_reader(s->name, format, bytes);
    r->header = bytes;
    r->block.reset(new (std::nothrow) uint8_t[bytes + r->image]());
    if (!r->block) return 0;
    std::memcpy(r->block.get(), format, bytes);
    return enter(Kind::system_frame_reader, r);
}

// The system's packed bitmap copied behind the format given at open; false when it is not
// a frame of that format.
bool take_frame(SysFrameReader& r, const uint8_t* dib) {
    const uint32_t size = get32(dib), compression = get32(dib + 16), used = get32(dib + 32);
    const int bits = get16(dib + 14);
    if (size < bitmap_header || size > 0x10000 || int32_t(get32(dib + 4)) != r.width ||
        int32_t(get32(dib + 8)) != r.height || bits != r.bits || (compression != bi_rgb && compression != bi_bitfields))
        return false;
    const uint64_t colors = used ? used : bits <= 8 ? uint64_t(1) << bits : 0;
    if (colors > 256) return false;
    const uint64_t pixels = size + (compression == bi_bitfields ? 12 : 0) + colors * 4;
    std::memcpy(r.block.get() + r.header, dib + pixels, size_t(r.image));
    return true;
}

// ---- writing ---------------------------------------------------------------------------

struct SysFile : Object {
    PAVIFILE file = nullptr;
    std::string temporary, target;
    bool failed = false, has_stream = false, formatted = false;
    int frames = 0;
    uint32_t rate = 0, scale = 1;
    bool set_frame_time() const;
    SysFile() { hold(); }
    ~SysFile() override {
        if (file) sys().call.file_release(file);  // the last reference: the system finishes the file
        bool whole = file && !failed && formatted;
        if (whole) {
            const int check = builtin::open_stream(temporary.c_str(), avi_video);
            AviStreamInfo info;
            whole = check && builtin::stream_info(check, info) && info.length == frames;
            builtin::stream_release(check);
            if (whole) whole = set_frame_time();
        }
        if (!temporary.empty() && (!whole || !system_file::rename_over(temporary, target))) system_file::remove(temporary);
        let_go();
    }
};

// The main header's microseconds a frame, which players (and this library's) take the frame
// time from, written from the stream's rate: Wine's library writes a wrong value there.
bool SysFile::set_frame_time() const {
    HANDLE h = CreateFileA(temporary.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE) return false;
    uint8_t start[36];
    DWORD done = 0;
    bool ok = ReadFile(h, start, sizeof start, &done, nullptr) && done == sizeof start && !std::memcmp(start, "RIFF", 4) &&
              !std::memcmp(start + 8, "AVI ", 4) && !std::memcmp(start + 24, "avih", 4);
    if (ok) {
        uint8_t time[4];
        put32(time, uint32_t(uint64_t(1000000) * scale / rate));
        ok = SetFilePointer(h, 32, nullptr, FILE_BEGIN) == 32 && WriteFile(h, time, 4, &done, nullptr) && done == 4;
    }
    return CloseHandle(h) && ok;
}

struct SysWriteStream : Object {
    std::shared_ptr<SysFile> file;
    PAVISTREAM stream = nullptr;
    bool coded = false, rle = false;
    int width = 0, height = 0, bits = 0, frames = 0;
    uint64_t image = 0;
    std::vector<uint8_t> coded_frame;
    ~SysWriteStream() override {
        if (!stream) return;
        // The system cannot finish a file whose stream has no format (Wine's library faults):
        // such a stream gets a placeholder, and the file is removed all the same.
        if (!coded && !file->formatted) {
            uint32_t placeholder[10] = {bitmap_header, 1, 1, 1 | 24 << 16};
            sys().call.set_format(stream, 0, placeholder, sizeof placeholder);
        }
        sys().call.stream_release(stream);
    }
};

// A name beside the target that nothing has, made as the file layer makes its replacements;
// the system creates the file there.
std::string temporary_name(const std::string& target) {
    std::string name;
    const system_file::Handle h = system_file::create_beside(target.c_str(), name);
    if (h == system_file::none) return {};
    system_file::close(h);
    return name;
}

int system_file_create(const char* filename) {
    auto f = std::make_shared<SysFile>();
    f->target = filename;
    f->temporary = temporary_name(f->target);
    if (f->temporary.empty()) return 0;
    if (sys().call.file_open(&f->file, f->temporary.c_str(), OF_CREATE | OF_WRITE | OF_SHARE_EXCLUSIVE,
                             const_cast<CLSID*>(&avi_file_handler)) != AVIERR_OK || !f->file) {
        f->file = nullptr;  // f's end removes the temporary file
        return 0;
    }
    const int id = enter(Kind::system_file, f);
    if (!id) f->failed = true;
    return id;
}

int system_make_compressed(const std::shared_ptr<SysWriteStream>& base, const AviCompressOptions& options) {
    const uint32_t h = options.handler;
    const bool plain = h == avi_uncompressed || h == 0 || h == fourcc('R', 'G', 'B', ' ') || h == fourcc('R', 'A', 'W', ' ');
    auto s = std::make_shared<SysWriteStream>();
    s->file = base->file, s->coded = true;
    s->rle = h == avi_rle || h == fourcc('m', 'r', 'l', 'e') || h == fourcc('R', 'L', 'E', ' ');
    if (plain || s->rle) {
        // Uncompressed frames need no coder: they go to the file's stream as they are. Run-
        // length coded frames are coded by the library, losslessly and at 4 bits as well as
        // 8, as the built-in writer codes them (the system's coder under Wine drops colours
        // below full quality and takes no 4-bit frames); the system writes them.
        s->stream = base->stream;
        s->stream->AddRef();
    } else {
        AVICOMPRESSOPTIONS o{};
        o.fccType = streamtypeVIDEO, o.fccHandler = h;
        o.dwQuality = DWORD(options.quality);
        o.dwFlags = AVICOMPRESSF_VALID;
        if (sys().call.make_compressed(&s->stream, base->stream, &o, nullptr) != AVIERR_OK || !s->stream) {
            s->stream = nullptr;
            return 0;
        }
    }
    return enter(Kind::system_write_stream, s);
}

bool system_set_format(SysWriteStream& s, const uint8_t* format, size_t bytes) {
    SysFile& f = *s.file;
    if (bytes < bitmap_header || bytes > 0x10000 || f.formatted) return false;
    const int32_t width = int32_t(get32(format + 4)), height = int32_t(get32(format + 8));
    const int bits = get16(format + 14);
    if (get32(format) != bitmap_header || width <= 0 || height <= 0 || get32(format + 16) != bi_rgb ||
        !valid_frame_bits(bits) || (s.rle && bits != 4 && bits != 8))
        return false;
    const uint64_t image = row_bytes(width, bits) * uint64_t(height);
    if (image > frame_limit()) return false;
    std::vector<uint32_t> copy((bytes + 3) / 4);
    std::memcpy(copy.data(), format, bytes);
    put32(reinterpret_cast<uint8_t*>(copy.data()) + 20, uint32_t(image));
    if (s.rle) put32(reinterpret_cast<uint8_t*>(copy.data()) + 16, bits == 8 ? bi_rle8 : bi_rle4);
    if (sys().call.set_format(s.stream, 0, copy.data(), LONG(bytes)) != AVIERR_OK) return false;
    s.width = width, s.height = height, s.bits = bits, s.image = image;
    f.formatted = true;
    return true;
}

bool system_write(SysWriteStream& s, int position, const void* data, size_t bytes, bool key_frame) {
    SysFile& f = *s.file;
    if (!f.formatted || !s.image || f.failed || position != s.frames || bytes != s.image) return false;
    if (s.rle) {
        rle_code(static_cast<const uint8_t*>(data), s.width, s.height, s.bits == 4, s.coded_frame);
        data = s.coded_frame.data(), bytes = s.coded_frame.size(), key_frame = true;  // every coded frame is whole
    }
    if (sys().call.write(s.stream, position, 1, const_cast<void*>(data), LONG(bytes), key_frame ? AVIIF_KEYFRAME : 0,
                         nullptr, nullptr) != AVIERR_OK) {
        f.failed = true;  // the file is damaged from here on
        return false;
    }
    ++s.frames, ++f.frames;
    return true;
}

}  // namespace

bool avi_system_load(const char* dll) {
    System& s = sys();
    if (s.objects) return s.usable;  // live objects keep the library they came from
    if (s.usable)
        for (int i = 0; i < s.users; ++i) s.call.file_exit();
    if (s.module) FreeLibrary(s.module);
    s.module = dll ? LoadLibraryA(dll) : nullptr;
    s.call = Entries{};
    s.usable = s.module && look_up(s.module, s.call);
    if (!s.usable && s.module) FreeLibrary(s.module), s.module = nullptr;
    // Users of the library left before keep their pairing on the new one.
    for (int i = 0; i < s.users && s.usable; ++i) s.call.file_init();
    return s.usable;
}

bool avi_system_usable() { return sys().usable; }

void avi_load() {
    if (!sys().module) avi_system_load("AVIFIL32.DLL");
}

void avi_init() {
    builtin::start();
    ++sys().users;
    if (sys().usable) sys().call.file_init();
}

void avi_exit() {
    builtin::end();
    if (sys().users == 0) return;
    --sys().users;
    if (sys().usable) sys().call.file_exit();
}

int avi_open_stream(const char* filename, uint32_t type) {
    // The built-in reader vets every file first: one it refuses (damaged, not an AVI file)
    // never reaches the system's library, which may fault on such bytes (Wine's does on a
    // stream without frames), and a stream without frames has nothing for it to decode.
    // Streams the library decodes exactly itself (uncompressed, run-length coded, or of a
    // codec with a registered decoder) stay with the built-in reader: they show the same
    // pixels on every host, and the system's parser is spared files it may fault on (Wine's
    // does on some uncompressed files it wrote itself). The system reads the other codecs.
    const int vetted = builtin::open_stream(filename, type);
    AviStreamInfo info;
    uint8_t format[bitmap_header];
    if (!vetted || !sys().usable || is_memory_file(filename) || !builtin::stream_info(vetted, info) || info.length <= 0 ||
        builtin::read_format(vetted, format, sizeof format) < bitmap_header)
        return vetted;
    const uint32_t compression = get32(format + 16);
    if (compression <= bi_bitfields || decoder_for(compression)) return vetted;
    const auto s = system_stream(filename);
    if (!s) return vetted;
    builtin::stream_release(vetted);
    return enter(Kind::system_read_stream, s);
}

int avi_read_format(int stream, uint8_t* dst, size_t capacity) {
    const auto s = find_as<SysReadStream>(stream, Kind::system_read_stream);
    if (!s) return builtin::read_format(stream, dst, capacity);
    if (dst) std::memcpy(dst, s->format.data(), std::min(capacity, s->format.size()));
    return int(s->format.size());
}

bool avi_stream_info(int stream, AviStreamInfo& info) {
    const auto s = find_as<SysReadStream>(stream, Kind::system_read_stream);
    if (!s) return builtin::stream_info(stream, info);
    info = s->info;
    return true;
}

int avi_frame_open(int stream, const uint8_t* format, size_t bytes) {
    const auto s = find_as<SysReadStream>(stream, Kind::system_read_stream);
    if (!s) return builtin::frame_open(stream, format, bytes);
    if (!format || bytes < bitmap_header || bytes > 0x10000) return 0;
    return system_frame_open(s, format, bytes);
}

const uint8_t* avi_frame(int reader, int position, size_t* bytes) {
    const auto r = find_as<SysFrameReader>(reader, Kind::system_frame_reader);
    if (!r) return builtin::frame(reader, position, bytes);
    const AviStreamInfo& info = r->stream->info;
    if (position < info.start || int64_t(position) - info.start >= info.length) return nullptr;
    const auto* dib = static_cast<const uint8_t*>(sys().call.frame(r->frames, position));
    if (!dib || !take_frame(*r, dib)) return nullptr;
    if (bytes) *bytes = r->header + size_t(r->image);
    return r->block.get();
}

void avi_frame_close(int reader) {
    remove(reader, Kind::system_frame_reader);
    builtin::frame_close(reader);
}

// While writes are set to fail, files go to the built-in writer, which writes through the
// file layer and so fails where it was told to.
int avi_file_create(const char* filename) {
    if (!sys().usable || !filename || !*filename || file_writes_limited()) return builtin::file_create(filename);
    return system_file_create(filename);
}

void avi_file_release(int file) {
    remove(file, Kind::system_file);
    builtin::file_release(file);
}

int avi_create_stream(int file, const AviStreamInfo& info) {
    const auto f = find_as<SysFile>(file, Kind::system_file);
    if (!f) return builtin::create_stream(file, info);
    if (f->has_stream || info.type != avi_video || info.rate == 0 || info.scale == 0) return 0;
    AVISTREAMINFOA si{};
    si.fccType = streamtypeVIDEO, si.fccHandler = info.handler, si.dwScale = info.scale, si.dwRate = info.rate;
    si.dwSuggestedBufferSize = info.suggested_buffer, si.dwQuality = DWORD(info.quality);
    si.rcFrame = RECT{0, 0, info.width, info.height};
    auto s = std::make_shared<SysWriteStream>();
    s->file = f;
    if (sys().call.create_stream(f->file, &s->stream, &si) != AVIERR_OK || !s->stream) {
        s->stream = nullptr;
        return 0;
    }
    const int id = enter(Kind::system_write_stream, s);
    if (id) f->has_stream = true, f->rate = info.rate, f->scale = info.scale;
    return id;
}

bool avi_save_options(AviCompressOptions& options) { return builtin::save_options(options); }

int avi_make_compressed(int stream, const AviCompressOptions& options) {
    const auto base = find_as<SysWriteStream>(stream, Kind::system_write_stream);
    if (!base) return builtin::make_compressed(stream, options);
    if (base->coded || options.type != avi_video) return 0;
    return system_make_compressed(base, options);
}

bool avi_set_format(int stream, const uint8_t* format, size_t bytes) {
    const auto s = find_as<SysWriteStream>(stream, Kind::system_write_stream);
    if (!s) return builtin::set_format(stream, format, bytes);
    return format && system_set_format(*s, format, bytes);
}

bool avi_write(int stream, int position, const void* data, size_t bytes, bool key_frame) {
    const auto s = find_as<SysWriteStream>(stream, Kind::system_write_stream);
    if (!s) return builtin::write(stream, position, data, bytes, key_frame);
    return data && system_write(*s, position, data, bytes, key_frame);
}

void avi_stream_release(int stream) {
    remove(stream, Kind::system_write_stream);
    remove(stream, Kind::system_read_stream);
    builtin::stream_release(stream);
}

}  // namespace host
