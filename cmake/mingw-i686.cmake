# Cross-compiles the 32-bit Windows DLLs (NSIS targets x86-ansi and x86-unicode).
set(CMAKE_SYSTEM_PROCESSOR i686)
include(${CMAKE_CURRENT_LIST_DIR}/mingw.cmake)
