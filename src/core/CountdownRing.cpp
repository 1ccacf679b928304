#include "core/CountdownRing.h"

#include <algorithm>
#include <cmath>

namespace kelvaro::CountdownRing {

int step(std::optional<double> remaining)
{
    if (!remaining)
        return -1;
    // NaN counts as nothing left.
    const double fraction = std::isnan(*remaining) ? 0.0 : std::clamp(*remaining, 0.0, 1.0);
    // Rounded up, so the ring only vanishes when the time is really up.
    return static_cast<int>(std::ceil(fraction * Steps - 1e-9));
}

} // namespace kelvaro::CountdownRing
