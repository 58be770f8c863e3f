// Without the window host (SDL2 was not found when the library was built) no window can
// be opened; the host side falls back to surfaces.
#ifndef RSW32_WINDOW_HOST

#include "platform/common/host_side.h"

namespace host {

Device* window_open(int, int, const char*) { return nullptr; }
int window_pump(void*) { return 0; }
int window_close(void*) { return -1; }

}  // namespace host

#endif
