#pragma once

#include <QList>
#include <QRegion>
#include <QTransform>

class ElementItem;
class QGraphicsScene;

// A large table stacks dozens of notes over every spot. The elements that
// lie entirely under notes stacked above them would paint nothing that
// shows, so whoever paints a part of the table skips them.
namespace CoveredElements {

// The elements in `region` (device pixels; sceneToDevice maps the scene
// there) that notes above them hide completely.
QList<ElementItem *> find(const QGraphicsScene &scene, const QTransform &sceneToDevice,
                          const QRegion &region);

} // namespace CoveredElements
