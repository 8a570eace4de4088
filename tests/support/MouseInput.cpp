#include "MouseInput.h"

#include "PlotView.h"
#include "PlotWindow.h"

#include <QApplication>
#include <QMouseEvent>

namespace MouseInput {

namespace {
void send(PlotWindow *window, QEvent::Type type, QPoint pos, Qt::MouseButton button,
          Qt::MouseButtons buttons)
{
    QWidget *viewport = window->view()->viewport();
    QMouseEvent event(type, pos, viewport->mapToGlobal(pos), button, buttons, Qt::NoModifier);
    QApplication::sendEvent(viewport, &event);
}
} // namespace

void press(PlotWindow *window, QPoint pos, Qt::MouseButton button)
{
    send(window, QEvent::MouseButtonPress, pos, button, button);
}

void release(PlotWindow *window, QPoint pos, Qt::MouseButton button)
{
    send(window, QEvent::MouseButtonRelease, pos, button, Qt::NoButton);
}

void click(PlotWindow *window, QPoint pos, Qt::MouseButton button)
{
    press(window, pos, button);
    release(window, pos, button);
}

void move(PlotWindow *window, QPoint pos, Qt::MouseButtons buttons)
{
    send(window, QEvent::MouseMove, pos, Qt::NoButton, buttons);
}

} // namespace MouseInput
