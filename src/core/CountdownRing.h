#pragma once

#include <optional>

namespace kelvaro::CountdownRing {

/** The ring moves in whole steps of one sixtieth of a circle. */
inline constexpr int Steps = 60;

/**
 * The step of the ring for the remaining fraction of a countdown (clamped to 0 .. 1): Steps when
 * full, 0 only when nothing is left; -1 for no run. A caller redraws the icon only when it changes.
 */
int step(std::optional<double> remaining);

} // namespace kelvaro::CountdownRing
