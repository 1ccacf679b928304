#pragma once

#include <QIcon>

namespace kelvaro::ConfigButtonImages {

/** The settings button's pictures (25 x 16): 0 while the settings area is closed (a sign to open
 *  it), 1 while it is open (a sign to close it). */
QIcon image(int index);

} // namespace kelvaro::ConfigButtonImages
