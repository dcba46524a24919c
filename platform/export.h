// How the library meets the system's loader: only the exports are visible outside it, and the
// entry point (Windows only) has the loader's calling convention.
#pragma once

#if defined(_WIN32)
#define ZET_EXPORT __declspec(dllexport)
#define ZET_ENTRY_CALL __stdcall
#else
#define ZET_EXPORT __attribute__((visibility("default")))
#define ZET_ENTRY_CALL
#endif
