// The desktop's clipboard, where the host has one: the process clipboard hands it the
// bitmap it holds whenever it is closed after a change, and takes up a bitmap that another
// program put there whenever it is opened. The Windows host exchanges CF_DIB with the
// system clipboard; the Linux hosts keep the process clipboard to themselves.
#pragma once

#include <cstddef>
#include <cstdint>

namespace host {

// Replaces what the desktop's clipboard holds with a packed bitmap of `bytes` bytes, or
// empties it for nullptr.
void desktop_clipboard_put(const uint8_t* dib, size_t bytes);
// A copy, in a block from block_alloc, of a bitmap put on the desktop's clipboard since the
// last put or take; nullptr when nothing new is there.
void* desktop_clipboard_take();

}  // namespace host
