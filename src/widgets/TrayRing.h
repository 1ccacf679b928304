#pragma once

#include <QColor>
#include <QImage>

#include <optional>

/** The tray icon's ring, which shows how much of a run is left (the steps of core/CountdownRing.h). */
namespace kelvaro::TrayRing {

/** Colour of the part of the ring that stands for the time left. */
inline const QColor Colour{0xff, 0x8c, 0x00};

/**
 * The tray icon for a countdown: `base` with a ring along its edge that starts full at 1 and empties
 * as the remaining fraction falls to 0, like the hand of a kitchen timer sweeping clockwise from
 * twelve o'clock. Without a run (nothing given) the base image itself. The result has the size of
 * `base` (32 x 32 when `base` is empty).
 */
QImage draw(const QImage& base, std::optional<double> remaining);

/**
 * The tray icon while a run waits for the end of a program, whose time cannot be foreseen: `base`
 * with a quarter of the ring, which the caller turns on by a step now and then. `turn` counts steps
 * of one sixtieth of a circle, clockwise from twelve o'clock.
 */
QImage drawWaiting(const QImage& base, int turn);

} // namespace kelvaro::TrayRing
