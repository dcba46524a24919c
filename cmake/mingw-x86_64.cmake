# Cross-compiles the 64-bit Windows DLL (NSIS target amd64-unicode). Its tests run under 64-bit
# Wine anywhere.
set(CMAKE_SYSTEM_PROCESSOR x86_64)
include(${CMAKE_CURRENT_LIST_DIR}/mingw.cmake)
