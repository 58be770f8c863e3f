// Without the window host (SDL2 was not found when the library was built) no window can
// be opened; the host side falls back to surfaces, and the headless host answers for input.
#ifndef RSW32_WINDOW_HOST

#include "platform/common/host_side.h"
#include "platform/common/input_host.h"

namespace host {

Device* window_open(int, int, const char*) { return nullptr; }
int window_pump(void*) { return 0; }
int window_close(void*) { return -1; }
InputHost* window_input() { return nullptr; }

}  // namespace host

#endif
