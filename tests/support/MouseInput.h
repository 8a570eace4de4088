#pragma once

#include <QPoint>
#include <Qt>

class frmPlotFile;

// Real mouse events on a document window's client area, in its pixels.
namespace MouseInput {

void press(frmPlotFile *window, QPoint pos, Qt::MouseButton button);
void release(frmPlotFile *window, QPoint pos, Qt::MouseButton button);
void click(frmPlotFile *window, QPoint pos, Qt::MouseButton button = Qt::LeftButton);
void move(frmPlotFile *window, QPoint pos, Qt::MouseButtons buttons);

} // namespace MouseInput
