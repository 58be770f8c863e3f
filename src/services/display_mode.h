// Testing for and switching to a display mode (resolution and depth), and switching back.
#pragma once

namespace services {

int mode_set(int width, int height, int bits, int full_screen);
int mode_test(int width, int height, int bits);

}  // namespace services
