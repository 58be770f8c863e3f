// A signed 128-bit integer for the exact products and quotients of the line, edge and
// polygon arithmetic, where two 64-bit coordinates multiply. The compiler's own type where
// it has one (64-bit targets); elsewhere (32-bit targets) Wide128, two 64-bit halves in
// two's complement with the operations that arithmetic uses. Division truncates toward
// zero, as the built-in type's does; dividing by zero, and magnitudes of 2^126 or more,
// are the caller's to avoid (the arithmetic stays far below).
#pragma once

#include <compare>
#include <concepts>
#include <cstdint>
#include <type_traits>

namespace core {

class Wide128 {
public:
    constexpr Wide128() = default;
    template <std::integral T>
    constexpr Wide128(T v) : lo_(uint64_t(v)), hi_(below_zero(v) ? ~uint64_t(0) : 0) {}
    template <std::integral T>
    constexpr explicit operator T() const { return T(int64_t(lo_)); }

    friend constexpr Wide128 operator+(Wide128 a, Wide128 b) {
        Wide128 r;
        r.lo_ = a.lo_ + b.lo_;
        r.hi_ = a.hi_ + b.hi_ + (r.lo_ < a.lo_ ? 1 : 0);
        return r;
    }
    friend constexpr Wide128 operator-(Wide128 a) { return Wide128(~a.lo_, ~a.hi_) + Wide128(1); }
    friend constexpr Wide128 operator-(Wide128 a, Wide128 b) { return a + -b; }
    // The low 128 bits of the product, which are the same signed or unsigned.
    friend constexpr Wide128 operator*(Wide128 a, Wide128 b) {
        Wide128 r = product(a.lo_, b.lo_);
        r.hi_ += a.lo_ * b.hi_ + a.hi_ * b.lo_;
        return r;
    }
    friend constexpr Wide128 operator/(Wide128 a, Wide128 b) {
        const bool negative = a.negative() != b.negative();
        const Wide128 q = unsigned_quotient(a.negative() ? -a : a, b.negative() ? -b : b);
        return negative ? -q : q;
    }
    friend constexpr bool operator==(Wide128 a, Wide128 b) { return a.lo_ == b.lo_ && a.hi_ == b.hi_; }
    friend constexpr std::strong_ordering operator<=>(Wide128 a, Wide128 b) {
        if (a.hi_ != b.hi_) return int64_t(a.hi_) <=> int64_t(b.hi_);
        return a.lo_ <=> b.lo_;
    }
    Wide128& operator+=(Wide128 b) { return *this = *this + b; }
    Wide128& operator-=(Wide128 b) { return *this = *this - b; }

private:
    template <std::integral T>
    static constexpr bool below_zero(T v) {
        if constexpr (std::is_signed_v<T>) return v < 0;
        else return false;
    }
    constexpr Wide128(uint64_t lo, uint64_t hi) : lo_(lo), hi_(hi) {}
    constexpr bool negative() const { return hi_ >> 63 != 0; }

    // The full product of two unsigned 64-bit words, from four 32-bit partial products.
    static constexpr Wide128 product(uint64_t a, uint64_t b) {
        const uint64_t a0 = a & 0xFFFFFFFFu, a1 = a >> 32, b0 = b & 0xFFFFFFFFu, b1 = b >> 32;
        const uint64_t p00 = a0 * b0, p01 = a0 * b1, p10 = a1 * b0, p11 = a1 * b1;
        const uint64_t middle = (p00 >> 32) + (p01 & 0xFFFFFFFFu) + (p10 & 0xFFFFFFFFu);
        return Wide128((middle << 32) | (p00 & 0xFFFFFFFFu), p11 + (p01 >> 32) + (p10 >> 32) + (middle >> 32));
    }
    // Both taken as unsigned: bit by bit, from the top.
    static constexpr Wide128 unsigned_quotient(Wide128 n, Wide128 d) {
        Wide128 q, r;
        for (int bit = 127; bit >= 0; --bit) {
            r = Wide128(r.lo_ << 1 | n.bit(bit), r.hi_ << 1 | r.lo_ >> 63);
            if (r.hi_ > d.hi_ || (r.hi_ == d.hi_ && r.lo_ >= d.lo_)) {
                r = r - d;
                if (bit >= 64) q.hi_ |= uint64_t(1) << (bit - 64);
                else q.lo_ |= uint64_t(1) << bit;
            }
        }
        return q;
    }
    constexpr uint64_t bit(int i) const { return (i >= 64 ? hi_ >> (i - 64) : lo_ >> i) & 1; }

    uint64_t lo_ = 0, hi_ = 0;
};

#if defined(__SIZEOF_INT128__)
__extension__ typedef __int128 int128;
#else
using int128 = Wide128;
#endif

}  // namespace core
