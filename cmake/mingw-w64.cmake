# Cross-building Glimmerwake for 64-bit Windows with Debian's mingw-w64 (the posix thread model,
# whose C++ library has std::thread and friends). Programs built with it run on Linux under Wine,
# which is how their tests run: CMake starts them through CMAKE_CROSSCOMPILING_EMULATOR.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(MINGW_TRIPLET x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${MINGW_TRIPLET}-gcc-posix)
set(CMAKE_CXX_COMPILER ${MINGW_TRIPLET}-g++-posix)
set(CMAKE_RC_COMPILER ${MINGW_TRIPLET}-windres)

# Headers and libraries come from the mingw sysroot and the prefix the libpng build installs
# into (GLIMMERWAKE_WINDOWS_PREFIX); programs (the compilers, ninja) from the build machine.
set(CMAKE_FIND_ROOT_PATH /usr/${MINGW_TRIPLET} ${GLIMMERWAKE_WINDOWS_PREFIX})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
# Static archives only: the executables must need no DLL beyond the system's.
set(CMAKE_FIND_LIBRARY_SUFFIXES .a)

# The C and C++ runtimes and winpthread go into the executables.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")

find_program(WINE_PROGRAM NAMES wine wine64)
if(WINE_PROGRAM)
    set(CMAKE_CROSSCOMPILING_EMULATOR ${WINE_PROGRAM})
endif()
