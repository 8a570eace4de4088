#pragma once

#include <QImage>
#include <QString>

class PlotView;

// A picture of what a table's view shows at actual size, one pixel per
// pixel of the table.
namespace Snapshot {

QImage capture(PlotView &view);

// Saves a picture as a bitmap file. False when the file could not be
// written; an old file of that name is then left whole.
bool save(const QImage &picture, const QString &path);

} // namespace Snapshot
