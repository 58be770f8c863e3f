#include "image/state.h"

#include <cstring>

namespace image {

void init_state() {
    std::memset(state().transparent, 0, sizeof state().transparent);
    state().transfer_key = 0;
}

}  // namespace image
