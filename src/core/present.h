// Device contexts the library presents to, and the hidden page used by scrolling.
#pragma once

namespace core {

struct Devices {
    void* window_dc = nullptr;   // RS_HDC given to rs_setdc
    void* printer_dc = nullptr;  // set by rs_printdc or opened by rs_printer(10)
    int hidden_page = 0;         // vb handle for circular scrolling; -1 after rs_vbinit
};

inline Devices& devices() {
    static Devices d;
    return d;
}

}  // namespace core
