# CMake toolchain: cross-compile for 64-bit Windows with Debian's MinGW-w64.
# The -posix compiler variants use winpthreads, which std::thread needs.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(_mingw_triple x86_64-w64-mingw32)
set(CMAKE_C_COMPILER   ${_mingw_triple}-gcc-posix)
set(CMAKE_CXX_COMPILER ${_mingw_triple}-g++-posix)
set(CMAKE_RC_COMPILER  ${_mingw_triple}-windres)

# Look for target headers/libraries/packages only in the MinGW sysroot (and in
# prefixes added via CMAKE_FIND_ROOT_PATH / CMAKE_PREFIX_PATH); run host programs.
list(APPEND CMAKE_FIND_ROOT_PATH /usr/${_mingw_triple})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
