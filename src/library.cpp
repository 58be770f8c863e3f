// Start and end of the library: the core, then every family in the order they build on
// each other. A new family adds its init_state (and release, if it owns platform objects
// or memory) here and nowhere else.
#include "library.h"

#include "core/vbuf.h"
#include "draw/state.h"
#include "files/state.h"
#include "image/state.h"
#include "services/state.h"

namespace library {

int start() {
    core::vb_init();
    draw::init_state();
    image::init_state();
    files::init_state();
    services::init_state();
    return 0;
}

int end() {
    return core::vb_fin();
}

}  // namespace library
