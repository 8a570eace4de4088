#include "CompassMdiArea.h"

#include <QPainter>

CompassMdiArea::CompassMdiArea(QWidget *parent)
    : QMdiArea(parent)
    , m_compass(QStringLiteral(":/images/compass.jpg"))
{
    setBackground(QBrush(Qt::black));
    setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
}

void CompassMdiArea::paintEvent(QPaintEvent *event)
{
    QMdiArea::paintEvent(event);
    if (m_compass.isNull())
        return;
    QPainter painter(viewport());
    const QRect area = viewport()->rect();
    painter.drawPixmap((area.width() - m_compass.width()) / 2,
                       (area.height() - m_compass.height()) / 2, m_compass);
}
