# Cross-compiles with MinGW-w64 for the processor that the including toolchain file names in
# CMAKE_SYSTEM_PROCESSOR (i686 or x86_64), Win32 threads model: no winpthread in the DLL.
# Test programs run under Wine.
set(CMAKE_SYSTEM_NAME Windows)
set(zet_mingw ${CMAKE_SYSTEM_PROCESSOR}-w64-mingw32)
set(CMAKE_C_COMPILER ${zet_mingw}-gcc-win32)
set(CMAKE_CXX_COMPILER ${zet_mingw}-g++-win32)
set(CMAKE_RC_COMPILER ${zet_mingw}-windres)
set(CMAKE_OBJCOPY ${zet_mingw}-objcopy)
set(CMAKE_STRIP ${zet_mingw}-strip)
set(CMAKE_FIND_ROOT_PATH /usr/${zet_mingw})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_CURRENT_LIST_DIR}/../scripts/wine-run)
