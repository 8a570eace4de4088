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
    refitWindows();
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

void CompassMdiArea::fitWindow(QMdiSubWindow *window, QSize wanted, QPoint place,
                               QSize workspace)
{
    m_fitted.append({window, wanted, place, QRect()});
    fit(m_fitted.last(), workspace);
}

void CompassMdiArea::fit(Fitted &fitted, QSize workspace)
{
    const QSize size = fitted.wanted.boundedTo(workspace);
    const QPoint at(qBound(0, fitted.place.x(), workspace.width() - size.width()),
                    qBound(0, fitted.place.y(), workspace.height() - size.height()));
    fitted.given = QRect(at, size);
    fitted.window->setGeometry(fitted.given);
}

void CompassMdiArea::refitWindows()
{
    const QSize workspace = viewport()->size();
    for (qsizetype i = m_fitted.size() - 1; i >= 0; --i) {
        Fitted &fitted = m_fitted[i];
        // Moved, sized, tiled, maximized or closed: no longer ours to fit.
        if (!fitted.window || fitted.window->geometry() != fitted.given
            || fitted.window->isMaximized() || fitted.window->isMinimized()) {
            m_fitted.removeAt(i);
            continue;
        }
        fit(fitted, workspace);
    }
}
