#pragma once

#include <QImage>

// The "Markers" icon set: twelve 24 x 24 coloured pins. The first six are
// push pins in six colours; the last six are map markers numbered 1 to 6.
namespace Markers {

int count();

// number runs from 1 to count(); it is also the number in the file name.
QImage draw(int number);

} // namespace Markers
