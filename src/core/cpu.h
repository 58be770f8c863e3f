// What the processor offers beyond the baseline, asked once. Each family's vector kernels
// are chosen from it at their first use; results never depend on the answer.
#pragma once

namespace core {

inline bool has_ssse3() {
#if defined(__GNUC__) && (defined(__x86_64__) || defined(__i386__))
    static const bool yes = __builtin_cpu_supports("ssse3");
    return yes;
#else
    return false;
#endif
}

inline bool has_avx2() {
#if defined(__GNUC__) && (defined(__x86_64__) || defined(__i386__))
    static const bool yes = __builtin_cpu_supports("avx2");
    return yes;
#else
    return false;
#endif
}

}  // namespace core
