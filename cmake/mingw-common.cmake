# What both mingw-w64 toolchain files share; RSW32_MINGW_TRIPLE names the target.
set(CMAKE_C_COMPILER ${RSW32_MINGW_TRIPLE}-gcc-posix)
set(CMAKE_CXX_COMPILER ${RSW32_MINGW_TRIPLE}-g++-posix)
set(CMAKE_RC_COMPILER ${RSW32_MINGW_TRIPLE}-windres)
set(CMAKE_FIND_ROOT_PATH /usr/${RSW32_MINGW_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
# Programs built here run under Wine (ctest, GoogleTest's test discovery).
find_program(RSW32_WINE NAMES wine)
if(RSW32_WINE)
  set(CMAKE_CROSSCOMPILING_EMULATOR ${RSW32_WINE})
endif()
# The DLL and the programs carry their C, C++ and thread runtimes inside, so nothing but
# system DLLs has to sit beside them. The 64-bit ABI keeps the stack 16-byte aligned only,
# which AVX code spilling 32-byte registers would otherwise fault on: the assembler writes
# unaligned moves for every vector move.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static")
set(CMAKE_SHARED_LINKER_FLAGS_INIT "-static")
set(CMAKE_C_FLAGS_INIT "-Wa,-muse-unaligned-vector-move")
set(CMAKE_CXX_FLAGS_INIT "-Wa,-muse-unaligned-vector-move")
