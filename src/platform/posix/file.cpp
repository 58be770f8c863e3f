// Files over POSIX descriptors, and the in-memory files tests and fuzzers read through the
// same calls. A table maps the library's small file numbers to descriptors (or to a memory
// file and its position), so no descriptor value ever reaches a caller's record.
#include "platform/file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <map>
#include <string>
#include <vector>

namespace host {
namespace {

struct OpenFile {
    bool open = false;
    int fd = -1;                             // -1 for a memory file
    const std::vector<uint8_t>* memory = nullptr;
    int64_t position = 0;                    // of a memory file
    std::string replacement, target;         // of a replacement: its own name and the target's
};

struct Files {
    OpenFile table[file_limit + 1];          // entry 0 is never used
    std::map<std::string, std::vector<uint8_t>> memory;
    int64_t writes_left = -1;                // bytes until writes fail; negative: never
};

// Never destroyed: objects of other files that end at exit (a printer finishing its open
// document) still write and rename through the table.
Files& files() {
    static Files& f = *new Files;
    return f;
}

OpenFile* find(int file) {
    if (file < 1 || file > file_limit) return nullptr;
    OpenFile& f = files().table[file];
    return f.open ? &f : nullptr;
}

int enter(int fd, const std::vector<uint8_t>* memory) {
    for (int i = 1; i <= file_limit; ++i) {
        OpenFile& f = files().table[i];
        if (!f.open) {
            f = OpenFile{true, fd, memory, 0, {}, {}};
            return i;
        }
    }
    if (fd >= 0) ::close(fd);
    return 0;
}

// The mode a newly created file gets, which a replacement takes on instead of the private
// mode it is created with; an existing target keeps its own.
mode_t new_file_mode(const char* target) {
    struct stat st;
    if (::stat(target, &st) == 0) return st.st_mode & 07777;
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~mask;
}

}  // namespace

int file_open(const char* name) {
    if (!name) return 0;
    auto m = files().memory.find(name);
    if (m != files().memory.end()) return enter(-1, &m->second);
    int fd;
    do fd = ::open(name, O_RDONLY | O_CLOEXEC);
    while (fd < 0 && errno == EINTR);
    if (fd < 0) return 0;
    // A directory or device opens but is no picture; refusing it here keeps readers from
    // waiting on a pipe or reading a directory.
    struct stat st;
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        ::close(fd);
        return 0;
    }
    return enter(fd, nullptr);
}

int file_create_replacement(const char* name) {
    if (!name || !*name) return 0;
    std::string temp = std::string(name) + ".rsw32-XXXXXX";
    const int fd = ::mkostemp(temp.data(), O_CLOEXEC);
    if (fd < 0) return 0;
    if (::fchmod(fd, new_file_mode(name)) != 0) {
        ::close(fd), ::unlink(temp.c_str());
        return 0;
    }
    const int file = enter(fd, nullptr);
    if (!file) {
        ::unlink(temp.c_str());
        return 0;
    }
    files().table[file].replacement = std::move(temp);
    files().table[file].target = name;
    return file;
}

bool file_commit(int file) {
    OpenFile* f = find(file);
    if (!f || f->replacement.empty()) return false;
    const bool done = ::close(f->fd) == 0 && ::rename(f->replacement.c_str(), f->target.c_str()) == 0;
    if (!done) ::unlink(f->replacement.c_str());
    *f = OpenFile{};
    return done;
}

size_t file_read(int file, void* dst, size_t bytes) {
    OpenFile* f = find(file);
    if (!f || !dst) return 0;
    if (f->memory) {
        const int64_t size = int64_t(f->memory->size());
        const size_t n = f->position >= size ? 0 : std::min(bytes, size_t(size - f->position));
        if (n) std::memcpy(dst, f->memory->data() + f->position, n);
        f->position += int64_t(n);
        return n;
    }
    size_t done = 0;
    while (done < bytes) {
        const ssize_t r = ::read(f->fd, static_cast<uint8_t*>(dst) + done, bytes - done);
        if (r < 0 && errno == EINTR) continue;
        if (r <= 0) break;
        done += size_t(r);
    }
    return done;
}

size_t file_write(int file, const void* src, size_t bytes) {
    OpenFile* f = find(file);
    if (!f || f->memory || !src) return 0;
    int64_t& left = files().writes_left;
    size_t allowed = bytes;
    if (left >= 0 && int64_t(bytes) > left) allowed = size_t(left);
    size_t done = 0;
    while (done < allowed) {
        const ssize_t r = ::write(f->fd, static_cast<const uint8_t*>(src) + done, allowed - done);
        if (r < 0 && errno == EINTR) continue;
        if (r <= 0) break;
        done += size_t(r);
    }
    if (left >= 0) left -= int64_t(done);
    return done;
}

int64_t file_seek(int file, int64_t offset, FileOrigin origin) {
    OpenFile* f = find(file);
    if (!f) return -1;
    if (f->memory) {
        const int64_t base = origin == from_start ? 0 : origin == from_current ? f->position
                                                                              : int64_t(f->memory->size());
        if (offset < -base || offset > INT64_MAX - base) return -1;
        return f->position = base + offset;
    }
    const int whence = origin == from_start ? SEEK_SET : origin == from_current ? SEEK_CUR : SEEK_END;
    const off_t r = ::lseek(f->fd, off_t(offset), whence);
    return r < 0 ? -1 : int64_t(r);
}

int64_t file_size(int file) {
    OpenFile* f = find(file);
    if (!f) return -1;
    if (f->memory) return int64_t(f->memory->size());
    struct stat st;
    return ::fstat(f->fd, &st) == 0 ? int64_t(st.st_size) : -1;
}

void file_close(int file) {
    OpenFile* f = find(file);
    if (!f) return;
    if (f->fd >= 0) ::close(f->fd);
    if (!f->replacement.empty()) ::unlink(f->replacement.c_str());
    *f = OpenFile{};
}

void memory_file_set(const char* name, const uint8_t* data, size_t bytes) {
    if (!name) return;
    files().memory[name].assign(data, data + (data ? bytes : 0));
}

void memory_file_clear() {
    // Files still open on a memory file would point into the vectors about to go.
    for (OpenFile& f : files().table)
        if (f.open && f.memory) f = OpenFile{};
    files().memory.clear();
}

void file_fail_writes_after(int64_t bytes) { files().writes_left = bytes < 0 ? -1 : bytes; }

}  // namespace host
