// Byte streams through the image buffer (see source.h).
#include "files/source.h"

#include <algorithm>
#include <cstring>

#include "platform/file.h"

namespace files {

Source::Source(const char* filename, bool in_memory) : memory_(in_memory) {
    if (in_memory) {
        const ImageBuffer& b = image_buffer();
        fill_ = b.data;
        cur_ = b.data;
        end_ = b.data + b.size;
        return;
    }
    file_ = host::file_open(filename);
    owns_file_ = true;
    fill_ = image_buffer().data;
    cur_ = end_ = fill_;
}

Source::Source(int open_file) : file_(open_file) {
    const int64_t at = host::file_seek(open_file, 0, host::from_current);
    if (at < 0) file_ = 0;
    base_ = at < 0 ? 0 : uint64_t(at);
    fill_ = image_buffer().data;
    cur_ = end_ = fill_;
}

Source::~Source() {
    if (owns_file_) host::file_close(file_);
}

bool Source::refill() {
    if (memory_ || ended_ || !file_ || position() >= limit_) {
        ended_ = true;
        return false;
    }
    base_ = position();
    const size_t room = size_t(std::min<uint64_t>(uint64_t(image_buffer().size), limit_ - base_));
    const size_t got = host::file_read(file_, fill_, room);
    cur_ = fill_;
    end_ = fill_ + got;
    if (!got) ended_ = true;
    return got != 0;
}

size_t Source::read(uint8_t* dst, size_t bytes) {
    size_t done = 0;
    while (done < bytes) {
        if (cur_ == end_ && !memory_ && file_ && bytes - done >= size_t(image_buffer().size))
            return done + read_direct(dst + done, bytes - done);
        if (cur_ == end_ && !refill()) break;
        const size_t n = std::min(bytes - done, size_t(end_ - cur_));
        std::memcpy(dst + done, cur_, n);
        cur_ += n;
        done += n;
    }
    return done;
}

size_t Source::read_direct(uint8_t* dst, size_t bytes) {
    base_ = position();
    cur_ = end_ = fill_;
    const size_t room = ended_ || base_ >= limit_ ? 0 : size_t(std::min<uint64_t>(bytes, limit_ - base_));
    const size_t got = room ? host::file_read(file_, dst, room) : 0;
    base_ += got;
    if (got < bytes) ended_ = true;
    return got;
}

void Source::skip(uint64_t bytes) {
    const uint64_t buffered = uint64_t(end_ - cur_);
    if (bytes <= buffered) {
        cur_ += bytes;
        return;
    }
    if (memory_ || !file_) {
        cur_ = end_;
        return;
    }
    // Past what is buffered: move the file instead of reading the bytes. The stream then
    // stands at the target, with an empty fill.
    const uint64_t target = std::min(limit_, bytes > UINT64_MAX - position() ? UINT64_MAX : position() + bytes);
    if (target > uint64_t(INT64_MAX) || host::file_seek(file_, int64_t(target), host::from_start) < 0) {
        cur_ = end_;
        ended_ = true;
        return;
    }
    base_ = target;
    cur_ = end_ = fill_;
}

int64_t Source::size() const {
    if (memory_) return int64_t(image_buffer().size);
    return file_ ? host::file_size(file_) : -1;
}

void Source::set_end(uint64_t position) {
    limit_ = position;
    const uint64_t fill_end = base_ + uint64_t(end_ - fill_);
    if (fill_end > limit_) end_ = fill_ + (limit_ > base_ ? limit_ - base_ : 0);
    if (cur_ > end_) cur_ = end_;
}

size_t Source::read_at(uint64_t position, uint8_t* dst, size_t bytes) {
    if (memory_) {
        const uint64_t size = uint64_t(image_buffer().size);
        if (position >= size) return 0;
        const size_t n = size_t(std::min<uint64_t>(bytes, size - position));
        std::memcpy(dst, fill_ + position, n);
        return n;
    }
    if (!file_ || position > uint64_t(INT64_MAX)) return 0;
    const int64_t here = host::file_seek(file_, 0, host::from_current);
    if (here < 0 || host::file_seek(file_, int64_t(position), host::from_start) < 0) return 0;
    const size_t n = host::file_read(file_, dst, bytes);
    host::file_seek(file_, here, host::from_start);
    return n;
}

void Source::give_back() {
    if (memory_ || !file_) return;
    host::file_seek(file_, int64_t(position()), host::from_start);
    base_ = position();
    cur_ = end_ = fill_;
}

Sink::Sink(const char* filename)
    : buffer_(image_buffer().data), capacity_(size_t(image_buffer().size)) {
    file_ = host::file_create_replacement(filename);
}

Sink::~Sink() { host::file_close(file_); }

void Sink::flush() {
    if (used_ && host::file_write(file_, buffer_, used_) != used_) failed_ = true;
    used_ = 0;
}

void Sink::write(const uint8_t* src, size_t bytes) {
    if (bytes >= capacity_) {
        flush();
        if (host::file_write(file_, src, bytes) != bytes) failed_ = true;
        return;
    }
    while (bytes) {
        if (used_ == capacity_) flush();
        const size_t n = std::min(bytes, capacity_ - used_);
        std::memcpy(buffer_ + used_, src, n);
        used_ += n;
        src += n;
        bytes -= n;
    }
}

uint8_t* Sink::reserve(size_t bytes) {
    if (bytes > capacity_) return nullptr;
    if (capacity_ - used_ < bytes) flush();
    uint8_t* p = buffer_ + used_;
    used_ += bytes;
    return p;
}

bool Sink::finish() {
    if (!file_) return false;
    flush();
    const bool done = !failed_ && host::file_commit(file_);
    host::file_close(file_);  // a replacement that failed goes
    file_ = 0;
    return done;
}

}  // namespace files
