// Turning a host's float geometry into whole pixels: truncated toward zero, as the layout rules
// say, and saturated at 2^29 pixels either way, far beyond any screen, so that a position plus a
// size still fits an int. NaN counts as 0.
#pragma once

#include <algorithm>
#include <cmath>

namespace gui {

inline int pixels(double v) {
    constexpr double LIMIT = 536870912.0;
    if (std::isnan(v))
        return 0;
    return static_cast<int>(std::clamp(v, -LIMIT, LIMIT));
}

} // namespace gui
