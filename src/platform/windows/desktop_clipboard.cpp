// The system clipboard of the Windows host. Bitmaps go there as CF_DIB in movable global
// memory, owned by a message-only window of the library's (the system takes data only
// from an owner). Another program's bitmap is noticed by the clipboard's sequence number,
// which moves on every change: the one after the library's own put is remembered, so the
// library never takes back what it put.
#include <windows.h>

#include <cstring>

#include "platform/common/desktop_clipboard.h"
#include "platform/host.h"

namespace host {
namespace {

// 0 at first, so that a bitmap already there when the library starts is taken up.
DWORD& last_seen() {
    static DWORD sequence = 0;
    return sequence;
}

HWND owner() {
    static const HWND window = CreateWindowExA(0, "STATIC", "rsw32 clipboard", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                               GetModuleHandleA(nullptr), nullptr);
    return window;
}

// Another program may hold the clipboard for a moment: a few tries, then give up.
bool open_system_clipboard() {
    for (int attempt = 0; attempt < 10; ++attempt) {
        if (OpenClipboard(owner())) return true;
        Sleep(5);
    }
    return false;
}

}  // namespace

void desktop_clipboard_put(const uint8_t* dib, size_t bytes) {
    if (!open_system_clipboard()) return;
    EmptyClipboard();
    if (dib && bytes) {
        if (HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, bytes)) {
            if (void* p = GlobalLock(memory)) {
                std::memcpy(p, dib, bytes);
                GlobalUnlock(memory);
            }
            // The system owns the memory once it has taken it.
            if (!SetClipboardData(CF_DIB, memory)) GlobalFree(memory);
        }
    }
    CloseClipboard();
    last_seen() = GetClipboardSequenceNumber();
}

void* desktop_clipboard_take() {
    const DWORD sequence = GetClipboardSequenceNumber();
    if (sequence == last_seen()) return nullptr;
    if (!IsClipboardFormatAvailable(CF_DIB) || !open_system_clipboard()) return nullptr;
    last_seen() = sequence;
    void* block = nullptr;
    if (HANDLE memory = GetClipboardData(CF_DIB)) {
        const SIZE_T bytes = GlobalSize(memory);
        const void* p = GlobalLock(memory);
        if (p && bytes && (block = block_alloc(bytes))) std::memcpy(block, p, bytes);
        if (p) GlobalUnlock(memory);
    }
    CloseClipboard();
    return block;
}

}  // namespace host
