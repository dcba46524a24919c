// How a function is made visible outside the plug-in library: only the exports are.
#pragma once

#if defined(_WIN32)
#define ZET_EXPORT __declspec(dllexport)
#else
#define ZET_EXPORT __attribute__((visibility("default")))
#endif
