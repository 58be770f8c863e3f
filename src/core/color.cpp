// The current colour and single pixels.
#include "core/color.h"

namespace core {

void color_init() {
    ColorState& c = color();
    c.mapped_index = 0;
    c.alpha = 0;
    c.color_value = 0;
    for (int i = 0; i < 256; ++i) c.index_map[i] = uint8_t(i);
}

}  // namespace core
