#include "ClickableImage.h"

#include <QMouseEvent>

ClickableImage::ClickableImage(QWidget *parent)
    : QLabel(parent)
{
    setAlignment(Qt::AlignLeft | Qt::AlignTop);
    setCursor(Qt::PointingHandCursor);
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
