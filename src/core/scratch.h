// The library's 10240-byte work area. One operation at a time uses it for the length of
// one call (the distribution masks of image scaling and shearing, and later clipped 3D
// vertices, cursor masks and display-mode records); nothing in it is trusted at the
// start of a call, and nothing is left in it for the next one. Each user states which
// part it takes and the limits that follow from the size.
#pragma once

#include <cstddef>
#include <cstdint>

namespace core {

constexpr size_t scratch_bytes = 10240;

struct Scratch {
    alignas(64) uint8_t bytes[scratch_bytes];
};

inline uint8_t* scratch() {
    static Scratch area;
    return area.bytes;
}

}  // namespace core
