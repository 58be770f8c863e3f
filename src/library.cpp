// Start and end of the library: the core, then every family in the order they build on
// each other. A new family adds its init_state (and release, if it owns platform objects
// or memory) here and nowhere else.
#include "library.h"

#include "core/vbuf.h"
#include "draw/state.h"
#include "files/avi.h"
#include "files/state.h"
#include "image/blocks.h"
#include "image/state.h"
#include "raster/texture.h"
#include "raster/zbuffer.h"
#include "services/input.h"
#include "services/state.h"
#include "services/text.h"
#include "three_d/state.h"

namespace library {

int start() {
    core::vb_init();
    draw::init_state();
    image::init_state();
    image::forget_saved();
    files::init_state();
    services::init_state();
    services::init_input();
    services::text_init();
    three_d::init_state();
    raster::init_zbuffer();
    raster::init_textures();
    return 0;
}

int end() {
    image::forget_saved();
    files::avi_end();  // the AVI library is let go, and with it every context still open
    raster::init_textures();  // the texture table goes; textures stay the caller's
    return core::vb_fin();
}

}  // namespace library
