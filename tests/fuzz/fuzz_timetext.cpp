// The file-time text parser against the C library's sscanf with "%x %x" on the same text (up
// to its first NUL, where a popped argument ends).
#include "catalogue/timetext.h"
#include "tests/fuzz/fuzz.h"

#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

// C leaves a number beyond the range of unsigned long undefined for scanf, and the C libraries
// differ there (saturate or wrap); only texts without such a number are compared.
[[maybe_unused]] bool holdsHugeNumber(std::string_view text) {
    std::size_t significant = 0;
    bool leadingZeros = true;
    for (const char c : text) {
        const bool hex = (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
        if (!hex) {
            significant = 0;
            leadingZeros = true;
        } else if (!(leadingZeros && c == '0')) {
            leadingZeros = false;
            if (++significant > 2 * sizeof(unsigned long)) return true;
        }
    }
    return false;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::string text(reinterpret_cast<const char*>(data), size);
    text.resize(text.find('\0') == std::string::npos ? text.size() : text.find('\0'));
    const zet::catalogue::FileTimeHalves halves = zet::catalogue::parseFileTimeText(text);
    // On Windows only crashes are looked for: the runtime there is Wine's own rewrite under test,
    // not the reference the parser stands in for.
#ifndef _WIN32
    if (holdsHugeNumber(text)) return 0;
    unsigned high = 0;
    unsigned low = 0;
    (void)std::sscanf(text.c_str(), "%x %x", &high, &low);
    if (halves.high != high || halves.low != low) std::abort();
#else
    (void)halves;
#endif
    return 0;
}
