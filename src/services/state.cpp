#include "services/state.h"

namespace services {

void init_state() {
    ServiceState& s = state();
    s.justify_x = s.justify_y = -1;
}

int get_xjust() { return state().justify_x; }
int get_yjust() { return state().justify_y; }

}  // namespace services
