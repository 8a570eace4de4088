#include "ClickableImage.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

ClickableImage::ClickableImage(QWidget *parent)
    : QLabel(parent)
{
    setAlignment(Qt::AlignLeft | Qt::AlignTop);
    setCursor(Qt::PointingHandCursor);
    // Reached by the keyboard only: a click chooses, it does not focus.
    setFocusPolicy(Qt::TabFocus);
}

void ClickableImage::setPicture(const QPixmap &picture)
{
    setPixmap(picture);
    resize(picture.size());
}

void ClickableImage::mousePressEvent(QMouseEvent *event)
{
    m_pressed = event->button() == Qt::LeftButton;
    event->accept();
}

void ClickableImage::mouseReleaseEvent(QMouseEvent *event)
{
    // A click is a press and a release of the left button over the image.
    const bool click = m_pressed && event->button() == Qt::LeftButton
                       && rect().contains(event->position().toPoint());
    m_pressed = false;
    event->accept();
    if (click)
        emit clicked();
}

void ClickableImage::keyPressEvent(QKeyEvent *event)
{
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Space:
        event->accept();
        emit clicked();
        return;
    default:
        QLabel::keyPressEvent(event);
    }
}

void ClickableImage::paintEvent(QPaintEvent *event)
{
    QLabel::paintEvent(event);
    if (!hasFocus())
        return;
    // White over black, so that it shows on any picture.
    QPainter painter(this);
    const QRect edge = rect().adjusted(0, 0, -1, -1);
    painter.setPen(QPen(Qt::black, 1));
    painter.drawRect(edge);
    painter.setPen(QPen(Qt::white, 1, Qt::DotLine));
    painter.drawRect(edge.adjusted(1, 1, -1, -1));
}
