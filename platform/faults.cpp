#include "platform/faults.h"

#include <array>

namespace zet::platform::faults {

namespace {

struct Plan {
    int skip = 0;
    int times = 0;
};

std::array<Plan, static_cast<std::size_t>(Point::count)>& plans() {
    static std::array<Plan, static_cast<std::size_t>(Point::count)> table;
    return table;
}

Plan& planOf(Point point) {
    return plans()[static_cast<std::size_t>(point)];
}

} // namespace

void failNext(Point point, int times, int skip) {
    planOf(point) = {skip, times};
}

void clear(Point point) {
    planOf(point) = {};
}

void clearAll() {
    plans().fill({});
}

bool shouldFail(Point point) noexcept {
    Plan& plan = planOf(point);
    if (plan.times <= 0) return false;
    if (plan.skip > 0) {
        --plan.skip;
        return false;
    }
    --plan.times;
    return true;
}

} // namespace zet::platform::faults
