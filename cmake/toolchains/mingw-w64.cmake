# Cross-compiles the core for 64-bit Windows with mingw-w64 (the POSIX thread model, which
# std::thread needs) and runs what it builds under Wine.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(VN574_MINGW_PREFIX x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${VN574_MINGW_PREFIX}-gcc-posix)
set(CMAKE_CXX_COMPILER ${VN574_MINGW_PREFIX}-g++-posix)
set(CMAKE_RC_COMPILER ${VN574_MINGW_PREFIX}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${VN574_MINGW_PREFIX})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# The runtime (libstdc++, libgcc, winpthread) goes into each executable, so that a test
# runs under Wine, or on a Windows machine, without the compiler's DLLs beside it.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")

# Every test runs under wine64 in a Wine prefix of the build's own, so that a build
# neither needs nor disturbs the user's ~/.wine. The prefix is made on first use.
find_program(VN574_WINE64 wine64 PATHS /usr/lib/wine /usr/lib64/wine NO_CMAKE_FIND_ROOT_PATH)
if(VN574_WINE64)
  set(CMAKE_CROSSCOMPILING_EMULATOR
    env WINEPREFIX=${CMAKE_BINARY_DIR}/wineprefix WINEDEBUG=-all ${VN574_WINE64})
endif()

# The test cases are listed when the tests run, not when they are built: a build then
# needs no Wine, and a slow first start of Wine is no build failure.
set(CMAKE_GTEST_DISCOVER_TESTS_DISCOVERY_MODE PRE_TEST)
