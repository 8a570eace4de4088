#include "MouseInput.h"

#include "PlotView.h"
#include "PlotWindow.h"

#include <QApplication>
#include <QMouseEvent>
#include <QPointer>
#include <QTest>

namespace MouseInput {

namespace {

// As the window system does: a press goes to the widget under the pointer,
// which then gets every move and release until all buttons are up; a move
// with no button down goes to the widget under the pointer. Qt passes an
// event a widget does not take on to its parents.
QPointer<QWidget> grabber;

void send(PlotWindow *window, QEvent::Type type, QPoint pos, Qt::MouseButton button,
          Qt::MouseButtons buttons)
{
    QWidget *viewport = window->view()->viewport();
    const bool firstPress = type == QEvent::MouseButtonPress && buttons == button;
    QWidget *target = !firstPress && grabber ? grabber.data() : viewport->childAt(pos);
    if (!target)
        target = viewport;
    if (firstPress)
        grabber = target;
    const QPoint local = target->mapFrom(viewport, pos);
    QMouseEvent event(type, local, viewport->mapToGlobal(pos), button, buttons, Qt::NoModifier);
    QApplication::sendEvent(target, &event);
    if (buttons == Qt::NoButton)
        grabber = nullptr;
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

void rightClickThen(PlotWindow *window, QPoint pos, QWidget *control)
{
    press(window, pos, Qt::RightButton);
    QTest::mouseClick(control, Qt::LeftButton);
}

} // namespace MouseInput
