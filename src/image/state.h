// State of the image families: the transparency table and the blend opacity.
#pragma once

#include <cstdint>

namespace image {

struct ImageState {
    uint8_t transparent[256]{};  // per palette index: non-zero = skipped by rs_vbtccopy
    uint8_t opacity = 0;
    uint32_t transfer_key = 0;   // source pixel value keyed transfers skip
};

inline ImageState& state() {
    static ImageState s;
    return s;
}

void init_state();

}  // namespace image
