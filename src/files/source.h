// Byte streams of the file readers and writers, through the image buffer.
//
// A Source hands a decoder the bytes of a file one at a time or in blocks, without the
// decoder knowing where they come from:
//  - a named file, opened here and closed when the Source goes: the image buffer is
//    filled with reads of its full size and refilled when used up;
//  - a file the caller keeps open (a number from host::file_open), read from its current
//    position the same way and left open;
//  - the image buffer itself (a reader's in-memory flag): the caller has put a whole file
//    there, and the stream is the buffer's bytes, nothing is opened or read.
// Past the end of the data (or of a limit set with set_end) next() yields the padding
// value and consumes nothing, so decoding loops need no end test per byte; exhausted()
// tells afterwards whether the data ran out.
//
// A Sink collects a writer's output in the image buffer and writes it out whenever it is
// full. A Sink that is not finished, or whose writes failed, removes its file, so a writer
// that gives up leaves no half-written file behind.
//
// One stream at a time: both use the one image buffer, and nothing stays in it between
// calls. Neither reads or writes outside the image buffer, the file, and the caller's
// destination.
#pragma once

#include <cstddef>
#include <cstdint>

#include "files/state.h"

namespace files {

class Source {
public:
    // The named file (in_memory false) or the image buffer's bytes (in_memory true; the
    // name is not used). opened() is false when the file cannot be opened.
    Source(const char* filename, bool in_memory);
    // A file the caller opened and keeps open; reading starts at its position.
    explicit Source(int open_file);
    ~Source();
    Source(const Source&) = delete;
    Source& operator=(const Source&) = delete;

    bool opened() const { return memory_ || file_ != 0; }
    bool in_memory() const { return memory_; }

    // The next byte, or the padding value once the data has run out.
    uint8_t next() {
        if (cur_ == end_ && !refill()) return padding_;
        return *cur_++;
    }
    // Copies up to `bytes` bytes to dst; returns how many there were. The rest of dst is
    // left as it was. What the image buffer does not hold is read from the file straight
    // into dst when it is at least a fill's worth, so large rows are copied once.
    size_t read(uint8_t* dst, size_t bytes);
    // The bytes delivered but not yet consumed, for decoders that walk them in place:
    // buffered_bytes() of them from buffered(); consume(n) (n at most that) moves past n.
    // Once they are used up, next() or read() fetch more.
    const uint8_t* buffered() const { return cur_; }
    size_t buffered_bytes() const { return size_t(end_ - cur_); }
    void consume(size_t bytes) { cur_ += bytes; }
    // Moves past `bytes` bytes without delivering them (a file is sought, not read).
    void skip(uint64_t bytes);
    // Little-endian fields, padding bytes past the end.
    uint32_t u16() { const uint32_t lo = next(); return lo | uint32_t(next()) << 8; }
    uint32_t u32() { const uint32_t lo = u16(); return lo | u16() << 16; }

    // Stream position: bytes from the start of the file (of the image buffer in memory).
    uint64_t position() const { return base_ + uint64_t(cur_ - fill_); }
    // Size of the whole file or of the image buffer; -1 when it cannot be told.
    int64_t size() const;
    // The stream ends at this position: bytes from there on are not delivered (nor read).
    void set_end(uint64_t position);
    // Reads `bytes` bytes at `position` straight into dst, leaving the stream where it is
    // and the image buffer untouched. Returns how many there were.
    size_t read_at(uint64_t position, uint8_t* dst, size_t bytes);

    // The value next() yields past the end (0 unless set).
    void set_padding(uint8_t value) { padding_ = value; }
    // True once a refill found no more data (the stream is at its end).
    bool exhausted() const { return ended_; }

    // For a file kept open between calls: moves its position back over the bytes read
    // ahead into the image buffer but not consumed, so that the file stands at position().
    void give_back();

private:
    bool refill();
    // read() past the buffered bytes, from the file into dst without the image buffer.
    size_t read_direct(uint8_t* dst, size_t bytes);

    uint8_t* fill_ = nullptr;       // start of the current fill
    const uint8_t* cur_ = nullptr;  // next byte
    const uint8_t* end_ = nullptr;  // end of the current fill
    uint64_t base_ = 0;             // stream position of fill_[0]
    uint64_t limit_ = UINT64_MAX;   // stream end
    int file_ = 0;
    bool owns_file_ = false;
    bool memory_ = false;
    bool ended_ = false;
    uint8_t padding_ = 0;
};

class Sink {
public:
    // Starts the file's replacement; created() is false when it cannot be created. An
    // existing file of that name is replaced only by a successful finish().
    explicit Sink(const char* filename);
    // Without finish(): the replacement goes and an existing file stays as it was.
    ~Sink();
    Sink(const Sink&) = delete;
    Sink& operator=(const Sink&) = delete;

    bool created() const { return file_ != 0; }

    void put(uint8_t byte) {
        if (used_ == capacity_) flush();
        buffer_[used_++] = byte;
    }
    // Appends the bytes; a block at least the image buffer's size goes out in one write
    // after what was collected before it.
    void write(const uint8_t* src, size_t bytes);
    void u16(uint32_t v) { put(uint8_t(v)), put(uint8_t(v >> 8)); }
    void u32(uint32_t v) { u16(v & 0xFFFF), u16(v >> 16); }
    // Room for `bytes` contiguous bytes in the image buffer, written out first if they
    // would not fit in what is left; nullptr when the image buffer is smaller than that.
    uint8_t* reserve(size_t bytes);

    // Writes what is left and puts the file in place. False when any write failed (or the
    // file cannot take its name's place); the replacement is then removed.
    bool finish();

private:
    void flush();

    uint8_t* buffer_;
    size_t capacity_;
    size_t used_ = 0;
    int file_ = 0;
    bool failed_ = false;
};

}  // namespace files
