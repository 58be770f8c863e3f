// The file table: the library's small file numbers mapped to system files (or to a memory
// file and its position), so that no descriptor or handle value ever reaches a caller's
// record. The system calls themselves are the host's (system_file.h).
#include <algorithm>
#include <climits>
#include <cstring>
#include <map>
#include <string>
#include <vector>

#include "platform/common/system_file.h"
#include "platform/file.h"

namespace host {
namespace {

namespace sys = system_file;

struct OpenFile {
    bool open = false;
    sys::Handle handle = sys::none;          // none for a memory file
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

// A free number for the file, or 0 (the system file is closed then).
int enter(sys::Handle handle, const std::vector<uint8_t>* memory) {
    for (int i = 1; i <= file_limit; ++i) {
        OpenFile& f = files().table[i];
        if (!f.open) {
            f = OpenFile{true, handle, memory, 0, {}, {}};
            return i;
        }
    }
    if (handle != sys::none) sys::close(handle);
    return 0;
}

}  // namespace

int file_open(const char* name) {
    if (!name) return 0;
    auto m = files().memory.find(name);
    if (m != files().memory.end()) return enter(sys::none, &m->second);
    const sys::Handle handle = sys::open_read(name);
    return handle == sys::none ? 0 : enter(handle, nullptr);
}

int file_create_replacement(const char* name) {
    if (!name || !*name) return 0;
    std::string temp;
    const sys::Handle handle = sys::create_beside(name, temp);
    if (handle == sys::none) return 0;
    const int file = enter(handle, nullptr);
    if (!file) {
        sys::remove(temp);
        return 0;
    }
    files().table[file].replacement = std::move(temp);
    files().table[file].target = name;
    return file;
}

bool file_commit(int file) {
    OpenFile* f = find(file);
    if (!f || f->replacement.empty()) return false;
    const bool done = sys::close(f->handle) && sys::rename_over(f->replacement, f->target);
    if (!done) sys::remove(f->replacement);
    *f = OpenFile{};
    return done;
}

size_t file_read(int file, void* dst, size_t bytes) {
    OpenFile* f = find(file);
    if (!f || !dst) return 0;
    if (!f->memory) return sys::read(f->handle, dst, bytes);
    const int64_t size = int64_t(f->memory->size());
    const size_t n = f->position >= size ? 0 : std::min(bytes, size_t(size - f->position));
    if (n) std::memcpy(dst, f->memory->data() + f->position, n);
    f->position += int64_t(n);
    return n;
}

size_t file_write(int file, const void* src, size_t bytes) {
    OpenFile* f = find(file);
    if (!f || f->memory || !src) return 0;
    int64_t& left = files().writes_left;
    const size_t allowed = left >= 0 && int64_t(bytes) > left ? size_t(left) : bytes;
    const size_t done = allowed ? sys::write(f->handle, src, allowed) : 0;
    if (left >= 0) left -= int64_t(done);
    return done;
}

int64_t file_seek(int file, int64_t offset, FileOrigin origin) {
    OpenFile* f = find(file);
    if (!f) return -1;
    if (!f->memory) return sys::seek(f->handle, offset, origin);
    const int64_t base = origin == from_start ? 0 : origin == from_current ? f->position : int64_t(f->memory->size());
    if (offset < -base || offset > INT64_MAX - base) return -1;
    return f->position = base + offset;
}

int64_t file_size(int file) {
    OpenFile* f = find(file);
    if (!f) return -1;
    return f->memory ? int64_t(f->memory->size()) : sys::size(f->handle);
}

void file_close(int file) {
    OpenFile* f = find(file);
    if (!f) return;
    if (f->handle != sys::none) sys::close(f->handle);
    if (!f->replacement.empty()) sys::remove(f->replacement);
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

bool is_memory_file(const char* name) { return name && files().memory.count(name); }
bool file_writes_limited() { return files().writes_left >= 0; }

}  // namespace host
