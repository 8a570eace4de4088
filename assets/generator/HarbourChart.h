#pragma once

#include <QImage>

// The "harbour" plot template: a 900 x 600 chart of a small harbour drawn
// in the pale colours of a nautical chart, so that icons and notes placed
// on it stay easy to read.
namespace HarbourChart {

QImage draw();

} // namespace HarbourChart
