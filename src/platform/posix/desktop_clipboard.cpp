// The Linux hosts have no desktop clipboard to exchange bitmaps with: the process
// clipboard is the only one.
#include "platform/common/desktop_clipboard.h"

namespace host {

void desktop_clipboard_put(const uint8_t*, size_t) {}
void* desktop_clipboard_take() { return nullptr; }

}  // namespace host
