# Cross-compiles RSW32.DLL for 32-bit Windows with Debian's mingw-w64 (POSIX thread model),
# programs run under Wine. `make windows` passes this file as CMAKE_TOOLCHAIN_FILE.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR i686)
set(RSW32_MINGW_TRIPLE i686-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake)
# Floating point in SSE2 registers, rounded to double at every step as on 64-bit targets:
# the x87 unit's wider intermediates would change the 3D pipeline's last bits.
string(APPEND CMAKE_C_FLAGS_INIT " -msse2 -mfpmath=sse")
string(APPEND CMAKE_CXX_FLAGS_INIT " -msse2 -mfpmath=sse")
