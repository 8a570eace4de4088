#include "LocateMarker.h"

#include "Twips.h"

#include <QPainter>

namespace {
constexpr int kLineWidth = 3;
}

LocateMarker::LocateMarker(QWidget *parent)
    : QWidget(parent)
{
    setObjectName(QStringLiteral("locateMarker"));
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setAttribute(Qt::WA_NoSystemBackground);
    const int side = qRound(Twips::toPixels(SideTwips));
    resize(side, side);
}

void LocateMarker::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    QPen pen(QColor(255, 0, 0), kLineWidth);
    pen.setJoinStyle(Qt::MiterJoin);
    painter.setPen(pen);
    const qreal inset = kLineWidth / 2.0;
    painter.drawRect(QRectF(rect()).adjusted(inset, inset, -inset, -inset));
}
