#include "PaintCounter.h"

#include <QEvent>
#include <QWidget>

PaintCounter::PaintCounter(QWidget *widget)
{
    // Not the widget's child: the counter may outlive the widget or go
    // first, and a watched object forgets a filter that is deleted.
    widget->installEventFilter(this);
}

bool PaintCounter::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::Paint)
        ++m_paints;
    return QObject::eventFilter(watched, event);
}
