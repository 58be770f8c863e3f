# Cross-compiles RSW32.DLL for 64-bit Windows with Debian's mingw-w64 (POSIX thread model),
# programs run under Wine. `make windows` passes this file as CMAKE_TOOLCHAIN_FILE.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(RSW32_MINGW_TRIPLE x86_64-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake)
