#pragma once

#include <QImage>

// The "BasicSet" icon set: thirty small map symbols (anchor, buoy, tent,
// arrows and so on), each 24 x 24 pixels on a light tile with a thin frame
// so that it stands out wherever it is placed on a plot.
namespace MapSymbols {

int count();

// number runs from 1 to count(); it is also the number in the file name.
QImage draw(int number);

} // namespace MapSymbols
