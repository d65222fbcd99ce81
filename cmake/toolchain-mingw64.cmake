# 64-bit Windows programs built on Linux with mingw-w64's GCC (Debian's
# g++-mingw-w64-x86-64-posix, the variant with std::thread).
#   cmake -S . -B build/windows -DCMAKE_TOOLCHAIN_FILE=cmake/toolchain-mingw64.cmake \
#         -DSUMBROOK_BUILD_GUI=OFF -DSUMBROOK_BUILD_BENCH=OFF
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(mingw_prefix x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${mingw_prefix}-gcc-posix)
set(CMAKE_CXX_COMPILER ${mingw_prefix}-g++-posix)
set(CMAKE_RC_COMPILER ${mingw_prefix}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${mingw_prefix})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# The C and C++ runtimes and winpthread linked in, so each .exe runs alone
# without libgcc_s, libstdc++ or libwinpthread DLLs beside it.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")

# Windows keeps the stack 16-byte aligned and GCC cannot realign it for the
# 32- and 64-byte vector spills of the AVX kernels; the assembler turns the
# aligned vector moves into unaligned ones, which cost nothing on aligned data.
set(CMAKE_CXX_FLAGS_INIT "-Wa,-muse-unaligned-vector-move")
set(CMAKE_C_FLAGS_INIT "-Wa,-muse-unaligned-vector-move")

# Tests and programs built here run under Wine on this machine.
find_program(SUMBROOK_WINE NAMES wine64 wine PATHS /usr/lib/wine NO_CMAKE_FIND_ROOT_PATH)
if(SUMBROOK_WINE)
  set(CMAKE_CROSSCOMPILING_EMULATOR ${SUMBROOK_WINE})
endif()
