// The process-wide clipboard: one item per format, handed over by whoever opened it and
// owned by the clipboard from then on. Bitmaps (CF_DIB) are memory blocks; palettes
// (CF_PALETTE) are host palettes. The bitmap is also exchanged with the desktop's clipboard
// where the host has one (desktop_clipboard.h); palettes stay in the process.
#include <algorithm>
#include <cstring>
#include <map>
#include <vector>

#include "platform/common/desktop_clipboard.h"
#include "platform/common/dib.h"
#include "platform/common/host_side.h"
#include "platform/common/objects.h"

namespace host {
namespace {

struct Clipboard {
    bool open = false;
    bool changed = false;  // emptied or written since it was opened
    bool held = false;  // the host side keeps it open, so the library cannot open it
    std::map<int, void*> items;
    // What is left on the clipboard when the process ends: its memory blocks go with it.
    // Palettes are left to the object registry, which owns them and may already be gone.
    ~Clipboard() {
        for (auto& [format, data] : items)
            if (format != cf_palette) block_free(data);
    }
};

Clipboard& clipboard() {
    static Clipboard c;
    return c;
}

void release(int format, void* data) {
    if (format == cf_palette)
        delete_palette(palette_from_handle(data));
    else
        block_free(data);
}

void clear_items() {
    for (auto& [format, data] : clipboard().items) release(format, data);
    clipboard().items.clear();
}

}  // namespace

bool open_clipboard(Device*) {
    Clipboard& c = clipboard();
    if (c.open || c.held) return false;
    c.open = true;
    c.changed = false;
    if (void* dib = desktop_clipboard_take()) {
        auto it = c.items.find(cf_dib);
        if (it != c.items.end()) release(cf_dib, it->second);
        c.items[cf_dib] = dib;
    }
    return true;
}

bool empty_clipboard() {
    if (!clipboard().open) return false;
    clear_items();
    clipboard().changed = true;
    return true;
}

bool set_clipboard_data(int format, void* data) {
    Clipboard& c = clipboard();
    if (!c.open || !data || (format != cf_dib && format != cf_palette)) return false;
    if (format == cf_palette && !palette_from_handle(data)) return false;
    auto it = c.items.find(format);
    if (it != c.items.end()) release(format, it->second);
    c.items[format] = data;
    c.changed = true;
    return true;
}

void* get_clipboard_data(int format) {
    Clipboard& c = clipboard();
    if (!c.open) return nullptr;
    auto it = c.items.find(format);
    return it == c.items.end() ? nullptr : it->second;
}

bool close_clipboard() {
    Clipboard& c = clipboard();
    if (!c.open) return false;
    c.open = false;
    if (c.changed) {
        auto it = c.items.find(cf_dib);
        const auto* dib = it == c.items.end() ? nullptr : static_cast<const uint8_t*>(it->second);
        desktop_clipboard_put(dib, block_size(dib));
    }
    return true;
}

// ---- host side ------------------------------------------------------------------------

int clipboard_put_dib(const uint8_t* dib, int bytes) {
    if (!dib || bytes <= 0) return -1;
    void* block = block_alloc(size_t(bytes));
    if (!block) return -2;
    std::memcpy(block, dib, size_t(bytes));
    if (!open_clipboard(nullptr)) {
        block_free(block);
        return -1;
    }
    empty_clipboard();
    set_clipboard_data(cf_dib, block);
    close_clipboard();
    return 0;
}

// A palette is read back as the logical-palette record it was made from: version 0x300,
// count, then red, green, blue, flags for each entry.
int clipboard_get(int format, uint8_t* out, int capacity) {
    auto it = clipboard().items.find(format);
    if (it == clipboard().items.end()) return 0;
    std::vector<uint8_t> bytes;
    if (format == cf_palette) {
        const Palette* p = palette_from_handle(it->second);
        if (!p) return 0;
        bytes.resize(4 + 4 * size_t(p->count));
        write_u16(bytes.data(), 0x300);
        write_u16(bytes.data() + 2, uint16_t(p->count));
        for (int i = 0; i < p->count; ++i) {
            const PaletteColor& e = p->entries[i];
            uint8_t* q = bytes.data() + 4 + 4 * i;
            q[0] = e.red, q[1] = e.green, q[2] = e.blue, q[3] = e.flags;
        }
    } else {
        const auto* block = static_cast<const uint8_t*>(it->second);
        bytes.assign(block, block + block_size(block));
    }
    if (out && capacity > 0) std::memcpy(out, bytes.data(), std::min(bytes.size(), size_t(capacity)));
    return int(bytes.size());
}

int clipboard_hold(int held) {
    clipboard().held = held != 0;
    return 0;
}

}  // namespace host
