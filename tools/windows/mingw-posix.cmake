# CMake toolchain for 64-bit Windows with Debian's mingw-w64 compilers of the posix thread model: the default
# win32 model has no std::thread or std::mutex, and the toolchain files shipped with libraries name those.
# Invariant: programs (code generators, windres's preprocessor) come from the build machine; libraries and
# headers come only from the mingw sysroot and the library prefixes a build adds to CMAKE_FIND_ROOT_PATH (kept:
# this file appends), never from the build machine's /usr.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(mingw_triple x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${mingw_triple}-gcc-posix)
set(CMAKE_CXX_COMPILER ${mingw_triple}-g++-posix)
set(CMAKE_RC_COMPILER ${mingw_triple}-windres)

# The mingw sysroot is searched as a find root, not passed as CMAKE_SYSROOT: Debian's compilers already know it,
# and --sysroot would send them looking under /usr/x86_64-w64-mingw32/usr.
list(APPEND CMAKE_FIND_ROOT_PATH /usr/${mingw_triple})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
