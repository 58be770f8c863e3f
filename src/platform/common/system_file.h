// What a host's file system must do for the file table in common/file.cpp: open, create,
// read, write, seek, size, close, rename and remove system files. Everything else about
// files (the library's file numbers, memory files, replacements, failing writes) is the
// table's, the same on every host.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "platform/file.h"

namespace host::system_file {

// A descriptor or handle, as an integer wide enough for either; `none` is never a file.
using Handle = intptr_t;
constexpr Handle none = -1;

// An existing regular file opened for reading, or none (also for a directory, device or
// pipe, which open but are no picture).
Handle open_read(const char* name);
// A new file of its own beside `target`, writable, with the permissions a file created
// under the target's name would get; its name is stored in `name`. none when it cannot be
// created.
Handle create_beside(const char* target, std::string& name);
// Reads or writes up to `bytes`, retrying short transfers; returns the bytes moved.
size_t read(Handle file, void* dst, size_t bytes);
size_t write(Handle file, const void* src, size_t bytes);
// The new position, or -1.
int64_t seek(Handle file, int64_t offset, FileOrigin origin);
int64_t size(Handle file);
bool close(Handle file);
// Puts `from` in place of `to`, replacing what was there in one step.
bool rename_over(const std::string& from, const std::string& to);
void remove(const std::string& name);

}  // namespace host::system_file
