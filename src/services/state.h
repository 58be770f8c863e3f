// State of the platform services: text justification and the text device.
#pragma once

#include <cstdint>

namespace services {

struct ServiceState {
    int8_t justify_x = 0, justify_y = 0;
    void* text_dc = nullptr;
};

inline ServiceState& state() {
    static ServiceState s;
    return s;
}

void init_state();
int get_xjust();
int get_yjust();

}  // namespace services
