#pragma once

#include <QPoint>
#include <Qt>

class QWidget;

class PlotWindow;

// Real mouse events on a document window's client area, in its pixels,
// sent where the window system sends them: to the frame or control under
// the pointer, or to whatever a press went to while a button is held.
namespace MouseInput {

void press(PlotWindow *window, QPoint pos, Qt::MouseButton button);
void release(PlotWindow *window, QPoint pos, Qt::MouseButton button);
void click(PlotWindow *window, QPoint pos, Qt::MouseButton button = Qt::LeftButton);
void move(PlotWindow *window, QPoint pos, Qt::MouseButtons buttons);
// A right press at pos (the palette or the action menu opens), then a left
// click on one of its controls.
void rightClickThen(PlotWindow *window, QPoint pos, QWidget *control);

} // namespace MouseInput
