// Built into the Windows DLL only, which links no C++ runtime library and no C runtime start-up:
// the few runtime pieces the plug-in calls, of its own. The DLL is built without exceptions:
// where the runtime would throw (no memory, a string past its largest size, a position out of
// range), the call is abandoned instead (see zet::runExport), and the installer goes on.
#include "plugin/runtime.h"
#include "plugin/frame.h"

#include <windows.h>

#include <chrono>
#include <cstddef>
#include <cstdlib>
#include <new>

// The heap is the C runtime's (msvcrt.dll, a system DLL).
void* operator new(std::size_t size) {
    if (void* block = std::malloc(size == 0 ? 1 : size)) return block;
    zet::abandonCall();
}

void* operator new[](std::size_t size) {
    return operator new(size);
}

void operator delete(void* block) noexcept {
    std::free(block);
}

void operator delete[](void* block) noexcept {
    std::free(block);
}

void operator delete(void* block, std::size_t) noexcept {
    std::free(block);
}

void operator delete[](void* block, std::size_t) noexcept {
    std::free(block);
}

namespace std {

void __throw_bad_alloc() {
    zet::abandonCall();
}

void __throw_bad_array_new_length() {
    zet::abandonCall();
}

void __throw_length_error(const char*) {
    zet::abandonCall();
}

void __throw_logic_error(const char*) {
    zet::abandonCall();
}

void __throw_out_of_range_fmt(const char*, ...) {
    zet::abandonCall();
}

// The strings' members, built here once and without exceptions, as the DLL links no runtime
// library that would have them (and i686's linker fails without them).
template class basic_string<char>;
template class basic_string<wchar_t>;

// The temporary names' clock: the system's tick count, in milliseconds since it started (no
// 64-bit division, which on x86 would need the compiler's runtime library).
chrono::steady_clock::time_point chrono::steady_clock::now() noexcept {
    return time_point(chrono::milliseconds(GetTickCount64()));
}

} // namespace std

namespace {

// The destructors of the DLL's static objects (two of them: the remembered catalogue and the
// open transaction), registered as each is first constructed.
constexpr std::size_t kExitFunctions = 16;
void (*exitFunctions[kExitFunctions])() = {};
std::size_t exitFunctionCount = 0;

} // namespace

// A static object whose destructor cannot be registered keeps its memory until the process ends.
extern "C" int atexit(void (*function)()) {
    if (exitFunctionCount == kExitFunctions) return -1;
    exitFunctions[exitFunctionCount++] = function;
    return 0;
}

void zet::runtime::runExitFunctions() {
    while (exitFunctionCount > 0) exitFunctions[--exitFunctionCount]();
}
