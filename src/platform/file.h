// Files of the host's file system: the only place the library's file readers and writers
// touch it. Everything above this layer works on an open file's number and a position.
//
// Files are named by small numbers 1..file_limit, so that a caller-owned record with a
// 16-bit field can keep a file open between calls; 0 is never a file. A number that is
// not an open file is refused by every call (reads and writes move nothing, seeks and
// sizes return -1), so a stale number from a damaged record does no harm.
//
// For tests and fuzzing, a name can be given bytes in memory (memory_file_set): opening
// that name reads those bytes instead of the file system, with the same calls.
#pragma once

#include <cstddef>
#include <cstdint>

namespace host {

constexpr int file_limit = 4096;  // open files at a time

// Opens an existing file for reading (other readers may have it open too). Returns its
// number, or 0 when it cannot be opened or is not a regular file.
int file_open(const char* name);

// Creates a file to take the place of `name` once it is complete: a new file of its own in
// the same directory, which file_commit renames over `name`. Until then an existing file of
// that name stays as it was, and closing the replacement without committing removes it, so
// a writer that fails half-way leaves no trace. Returns its number, or 0 when it cannot be
// created.
int file_create_replacement(const char* name);
// Closes a replacement and puts it in its target's place. False when it cannot (the
// replacement is then removed); a number that is not an open replacement is refused.
bool file_commit(int file);

// Reads up to `bytes` bytes from the file position into dst and moves the position past
// them. Returns the number read: fewer only at the end of the file, 0 there or on error.
size_t file_read(int file, void* dst, size_t bytes);
// Writes the bytes at the file position. Returns the number written; fewer than asked
// means the write failed (a full disk) and the file should be considered damaged.
size_t file_write(int file, const void* src, size_t bytes);

enum FileOrigin : int { from_start = 0, from_current = 1, from_end = 2 };
// Moves the file position to origin + offset. Returns the new position, or -1 (position
// unchanged) when that would be before the start or the file is not open.
int64_t file_seek(int file, int64_t offset, FileOrigin origin);
// The file's size in bytes, or -1 when it is not open.
int64_t file_size(int file);
// Closes an open file (a number that is not open is ignored); an uncommitted replacement
// is removed.
void file_close(int file);

// ---- test hooks ----------------------------------------------------------------------
// Gives `name` the bytes data[0 .. bytes) (copied) until memory_file_clear: file_open of
// that name then reads them. Writes never go to memory files.
void memory_file_set(const char* name, const uint8_t* data, size_t bytes);
void memory_file_clear();
// After `bytes` more bytes have been written, every write fails as on a full disk;
// negative: writes never fail (the state at start).
void file_fail_writes_after(int64_t bytes);
// Whether `name` was given bytes in memory, and whether writes are set to fail: a library
// that opens and writes files by name itself, past this layer (the Windows host's system
// AVI library), leaves such files to the built-in one, which goes through here and so
// sees them.
bool is_memory_file(const char* name);
bool file_writes_limited();

}  // namespace host
