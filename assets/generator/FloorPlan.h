#pragma once

#include <QImage>

// The "floorplan" plot template: a 900 x 600 ground-floor plan of a small
// office, drawn like an architect's plan on pale paper.
namespace FloorPlan {

QImage draw();

} // namespace FloorPlan
