#pragma once

#include <QImage>

// The compass rose shown in a corner of the main window: 174 x 180 pixels
// on black, which is the window's own background there.
namespace CompassRose {

QImage draw();

} // namespace CompassRose
