// The shipped library's fault points: only the tests arm them, through the test programs'
// own copy of platform/faults.cpp, so here no platform call ever fails on purpose, and the
// DLL's link-time optimisation leaves out the paths that would.
#include "platform/faults.h"

namespace zet::platform::faults {

bool shouldFail(Point) noexcept {
    return false;
}

} // namespace zet::platform::faults
