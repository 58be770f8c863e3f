// System files over the Windows API's file handles, for the file table (common/file.cpp).
#include <windows.h>

#include <algorithm>

#include "platform/common/system_file.h"

namespace host::system_file {
namespace {

HANDLE handle(Handle file) { return reinterpret_cast<HANDLE>(file); }
Handle number(HANDLE h) { return h == INVALID_HANDLE_VALUE ? none : reinterpret_cast<Handle>(h); }

// Reads and writes move at most this much per call, as their counts are 32-bit.
constexpr size_t io_chunk = 1u << 30;

}  // namespace

Handle open_read(const char* name) {
    // Others may go on reading, writing or replacing the file while it is open here.
    HANDLE h = CreateFileA(name, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                           OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE) return none;
    // A directory does not open without backup semantics; a device or pipe opens but is no
    // picture, and refusing it here keeps readers from waiting on it.
    if (GetFileType(h) != FILE_TYPE_DISK) {
        CloseHandle(h);
        return none;
    }
    return number(h);
}

Handle create_beside(const char* target, std::string& name) {
    static unsigned made = 0;  // names handed out, for unique names
    // CREATE_NEW never takes over an existing file: a name in use is passed over.
    for (int attempt = 0; attempt < 100; ++attempt) {
        name = std::string(target) + ".rsw32-" + std::to_string(GetCurrentProcessId()) + "-" + std::to_string(++made);
        HANDLE h = CreateFileA(name.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (h != INVALID_HANDLE_VALUE) return number(h);
        if (GetLastError() != ERROR_FILE_EXISTS) return none;
    }
    return none;
}

size_t read(Handle file, void* dst, size_t bytes) {
    size_t done = 0;
    while (done < bytes) {
        DWORD got = 0;
        const DWORD want = DWORD(std::min(bytes - done, io_chunk));
        if (!ReadFile(handle(file), static_cast<uint8_t*>(dst) + done, want, &got, nullptr) || got == 0) break;
        done += got;
    }
    return done;
}

size_t write(Handle file, const void* src, size_t bytes) {
    size_t done = 0;
    while (done < bytes) {
        DWORD put = 0;
        const DWORD want = DWORD(std::min(bytes - done, io_chunk));
        if (!WriteFile(handle(file), static_cast<const uint8_t*>(src) + done, want, &put, nullptr) || put == 0) break;
        done += put;
    }
    return done;
}

int64_t seek(Handle file, int64_t offset, FileOrigin origin) {
    const DWORD method = origin == from_start ? FILE_BEGIN : origin == from_current ? FILE_CURRENT : FILE_END;
    LARGE_INTEGER distance, moved;
    distance.QuadPart = offset;
    return SetFilePointerEx(handle(file), distance, &moved, method) ? int64_t(moved.QuadPart) : -1;
}

int64_t size(Handle file) {
    LARGE_INTEGER bytes;
    return GetFileSizeEx(handle(file), &bytes) ? int64_t(bytes.QuadPart) : -1;
}

bool close(Handle file) { return CloseHandle(handle(file)) != 0; }

bool rename_over(const std::string& from, const std::string& to) {
    return MoveFileExA(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
}

void remove(const std::string& name) { DeleteFileA(name.c_str()); }

}  // namespace host::system_file
