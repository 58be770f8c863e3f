// Client mapping: between the active buffer and the client area of the window that has
// the focus, which shows the buffer stretched to fill it. The client size comes from the
// host at each call. Buffer sizes are those of the last opened buffer.
#include "core/present.h"
#include "core/vbuf.h"
#include "platform/host.h"

namespace core {
namespace {

// The focused device's client rectangle (left, top, right, bottom); false without one.
bool focus_client(int rect[4]) { return host::client_rect(host::focus_device(), rect); }

// a × b / c with a 64-bit product, truncated toward zero and kept to 32 bits, as the
// viewport mapping does.
int scaled(int64_t a, int64_t b, int64_t c) { return int(uint32_t(uint64_t(a * b / c))); }

}  // namespace

int x_client(int x) {
    int r[4];
    if (!focus_client(r) || active().width <= 0) return -1;
    return scaled(x, r[2], active().width);
}

int y_client(int y) {
    int r[4];
    if (!focus_client(r) || active().height <= 0) return -1;
    return scaled(y, r[3], active().height);
}

int x_vb(int x) {
    int r[4];
    if (!focus_client(r) || r[0] != 0 || r[1] != 0 || r[2] <= 0) return -1;
    return scaled(x, active().width, r[2]);
}

int y_vb(int y) {
    int r[4];
    if (!focus_client(r) || r[0] != 0 || r[1] != 0 || r[3] <= 0) return -1;
    return scaled(y, active().height, r[3]);
}

}  // namespace core
