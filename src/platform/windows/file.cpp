// Files over the Windows API's file handles, and the in-memory files tests and fuzzers read
// through the same calls. A table maps the library's small file numbers to handles (or to a
// memory file and its position), so no handle value ever reaches a caller's record.
#include <windows.h>

#include <algorithm>
#include <climits>
#include <cstring>
#include <map>
#include <string>
#include <vector>

#include "platform/file.h"

namespace host {
namespace {

struct OpenFile {
    bool open = false;
    HANDLE handle = INVALID_HANDLE_VALUE;    // INVALID_HANDLE_VALUE for a memory file
    const std::vector<uint8_t>* memory = nullptr;
    int64_t position = 0;                    // of a memory file
    std::string replacement, target;         // of a replacement: its own name and the target's
};

struct Files {
    OpenFile table[file_limit + 1];          // entry 0 is never used
    std::map<std::string, std::vector<uint8_t>> memory;
    int64_t writes_left = -1;                // bytes until writes fail; negative: never
    unsigned replacements = 0;               // names handed out, for unique replacement names
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

int enter(HANDLE handle, const std::vector<uint8_t>* memory) {
    for (int i = 1; i <= file_limit; ++i) {
        OpenFile& f = files().table[i];
        if (!f.open) {
            f = OpenFile{true, handle, memory, 0, {}, {}};
            return i;
        }
    }
    if (handle != INVALID_HANDLE_VALUE) CloseHandle(handle);
    return 0;
}

// Reads and writes move at most this much per call, as their counts are 32-bit.
constexpr size_t io_chunk = 1u << 30;

}  // namespace

int file_open(const char* name) {
    if (!name) return 0;
    auto m = files().memory.find(name);
    if (m != files().memory.end()) return enter(INVALID_HANDLE_VALUE, &m->second);
    // Others may go on reading, writing or replacing the file while it is open here.
    HANDLE h = CreateFileA(name, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                           OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE) return 0;
    // A directory does not open without backup semantics; a device or pipe opens but is no
    // picture, and refusing it here keeps readers from waiting on it.
    if (GetFileType(h) != FILE_TYPE_DISK) {
        CloseHandle(h);
        return 0;
    }
    return enter(h, nullptr);
}

int file_create_replacement(const char* name) {
    if (!name || !*name) return 0;
    // CREATE_NEW never takes over an existing file: a name in use is passed over.
    for (int attempt = 0; attempt < 100; ++attempt) {
        const std::string temp = std::string(name) + ".rsw32-" + std::to_string(GetCurrentProcessId()) + "-" +
                                 std::to_string(++files().replacements);
        HANDLE h = CreateFileA(temp.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (h == INVALID_HANDLE_VALUE) {
            if (GetLastError() == ERROR_FILE_EXISTS) continue;
            return 0;
        }
        const int file = enter(h, nullptr);
        if (!file) {
            DeleteFileA(temp.c_str());
            return 0;
        }
        files().table[file].replacement = temp;
        files().table[file].target = name;
        return file;
    }
    return 0;
}

bool file_commit(int file) {
    OpenFile* f = find(file);
    if (!f || f->replacement.empty()) return false;
    const bool done = CloseHandle(f->handle) &&
                      MoveFileExA(f->replacement.c_str(), f->target.c_str(),
                                  MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH);
    if (!done) DeleteFileA(f->replacement.c_str());
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
        DWORD got = 0;
        const DWORD want = DWORD(std::min(bytes - done, io_chunk));
        if (!ReadFile(f->handle, static_cast<uint8_t*>(dst) + done, want, &got, nullptr) || got == 0) break;
        done += got;
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
        DWORD put = 0;
        const DWORD want = DWORD(std::min(allowed - done, io_chunk));
        if (!WriteFile(f->handle, static_cast<const uint8_t*>(src) + done, want, &put, nullptr) || put == 0) break;
        done += put;
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
    const DWORD method = origin == from_start ? FILE_BEGIN : origin == from_current ? FILE_CURRENT : FILE_END;
    LARGE_INTEGER distance, moved;
    distance.QuadPart = offset;
    return SetFilePointerEx(f->handle, distance, &moved, method) ? int64_t(moved.QuadPart) : -1;
}

int64_t file_size(int file) {
    OpenFile* f = find(file);
    if (!f) return -1;
    if (f->memory) return int64_t(f->memory->size());
    LARGE_INTEGER size;
    return GetFileSizeEx(f->handle, &size) ? int64_t(size.QuadPart) : -1;
}

void file_close(int file) {
    OpenFile* f = find(file);
    if (!f) return;
    if (f->handle != INVALID_HANDLE_VALUE) CloseHandle(f->handle);
    if (!f->replacement.empty()) DeleteFileA(f->replacement.c_str());
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
