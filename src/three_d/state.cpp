#include "three_d/state.h"

namespace three_d {

void init_state() { state() = State{}; }

}  // namespace three_d
