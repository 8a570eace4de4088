#include "CompassMdiArea.h"

#include <QMdiSubWindow>
#include <QPainter>

namespace {
constexpr int kStartPageWidth = 560;
constexpr int kStartPageMargin = 12;
} // namespace

CompassMdiArea::CompassMdiArea(QWidget *parent)
    : QMdiArea(parent)
    , m_compass(QStringLiteral(":/images/compass.jpg"))
{
    setBackground(QBrush(Qt::black));
    setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
}

void CompassMdiArea::setStartPage(QWidget *page)
{
    m_startPage = page;
    page->setParent(this);
    placeStartPage();
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

void CompassMdiArea::resizeEvent(QResizeEvent *event)
{
    QMdiArea::resizeEvent(event);
    placeStartPage();
    keepWindowsInside();
}

void CompassMdiArea::placeStartPage()
{
    if (!m_startPage)
        return;
    const QRect area = viewport()->geometry();
    const int width = qMax(1, qMin(kStartPageWidth, area.width() - 2 * kStartPageMargin));
    const int wanted = m_startPage->hasHeightForWidth() ? m_startPage->heightForWidth(width)
                                                        : m_startPage->sizeHint().height();
    const int height = qMax(1, qMin(wanted, area.height() - 2 * kStartPageMargin));
    QRect place(0, 0, width, height);
    place.moveCenter(area.center());
    m_startPage->setGeometry(place);
    m_startPage->raise();
}

void CompassMdiArea::keepWindowsInside()
{
    const QSize area = viewport()->size();
    for (QMdiSubWindow *window : subWindowList()) {
        if (window->isMaximized() || window->isMinimized() || !window->isVisible())
            continue;
        const QRect now = window->geometry();
        if (now.right() < area.width() && now.bottom() < area.height())
            continue;
        const QSize size = now.size().boundedTo(area);
        const QPoint at(qBound(0, now.x(), area.width() - size.width()),
                        qBound(0, now.y(), area.height() - size.height()));
        window->setGeometry(QRect(at, size));
    }
}
