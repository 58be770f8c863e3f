// System files over POSIX descriptors, for the file table (common/file.cpp).
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "platform/common/system_file.h"

namespace host::system_file {
namespace {

int fd(Handle file) { return int(file); }

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

Handle open_read(const char* name) {
    int file;
    do file = ::open(name, O_RDONLY | O_CLOEXEC);
    while (file < 0 && errno == EINTR);
    if (file < 0) return none;
    struct stat st;
    if (::fstat(file, &st) != 0 || !S_ISREG(st.st_mode)) {
        ::close(file);
        return none;
    }
    return file;
}

Handle create_beside(const char* target, std::string& name) {
    name = std::string(target) + ".rsw32-XXXXXX";
    const int file = ::mkostemp(name.data(), O_CLOEXEC);
    if (file < 0) return none;
    if (::fchmod(file, new_file_mode(target)) != 0) {
        ::close(file), ::unlink(name.c_str());
        return none;
    }
    return file;
}

size_t read(Handle file, void* dst, size_t bytes) {
    size_t done = 0;
    while (done < bytes) {
        const ssize_t r = ::read(fd(file), static_cast<uint8_t*>(dst) + done, bytes - done);
        if (r < 0 && errno == EINTR) continue;
        if (r <= 0) break;
        done += size_t(r);
    }
    return done;
}

size_t write(Handle file, const void* src, size_t bytes) {
    size_t done = 0;
    while (done < bytes) {
        const ssize_t r = ::write(fd(file), static_cast<const uint8_t*>(src) + done, bytes - done);
        if (r < 0 && errno == EINTR) continue;
        if (r <= 0) break;
        done += size_t(r);
    }
    return done;
}

int64_t seek(Handle file, int64_t offset, FileOrigin origin) {
    const int whence = origin == from_start ? SEEK_SET : origin == from_current ? SEEK_CUR : SEEK_END;
    const off_t r = ::lseek(fd(file), off_t(offset), whence);
    return r < 0 ? -1 : int64_t(r);
}

int64_t size(Handle file) {
    struct stat st;
    return ::fstat(fd(file), &st) == 0 ? int64_t(st.st_size) : -1;
}

bool close(Handle file) { return ::close(fd(file)) == 0; }
bool rename_over(const std::string& from, const std::string& to) { return ::rename(from.c_str(), to.c_str()) == 0; }
void remove(const std::string& name) { ::unlink(name.c_str()); }

}  // namespace host::system_file
