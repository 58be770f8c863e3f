// The JPEG decoder over any bytes, in memory: the header reader, then a decode into a small
// 24-bit target by the reference and by the fastest kernels, which must agree.
#include <cstdlib>
#include <cstring>
#include <vector>

#include "files/jpeg.h"

using namespace files::jpeg;

namespace {

std::vector<uint8_t> decode_into(const uint8_t* data, size_t size, const Kernels& k, int& result) {
    constexpr int w = 61, h = 37;
    std::vector<uint8_t> pixels(size_t(w * h * 3), 0x5A);
    Target t{pixels.data(), w * 3, w, h, 24, 0, 0};
    ByteSource src;
    src.cur = data, src.end = data + size;
    result = decode(src, t, k);
    return pixels;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size > 1 << 16) return 0;
    uint8_t record[10];
    ByteSource head;
    head.cur = data, head.end = data + size;
    read_header(head, record);
    int a, b;
    reset_tables();
    const std::vector<uint8_t> ref = decode_into(data, size, reference_kernels(), a);
    reset_tables();
    const std::vector<uint8_t> fast = decode_into(data, size, best_kernels(), b);
    if (a != b || ref != fast) std::abort();
    return 0;
}
