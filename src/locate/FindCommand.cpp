#include "FindCommand.h"

#include "Blanks.h"
#include "FindPanel.h"
#include "LocateMarker.h"
#include "PaletteFrame.h"
#include "PlotDocument.h"
#include "PlotView.h"
#include "PlotWindow.h"
#include "Twips.h"
#include "WindowServices.h"

#include <QLineEdit>
#include <QPushButton>

namespace {
// Pixels of table shown around a located icon.
constexpr int kMarkerMargin = 60;
} // namespace

FindCommand::FindCommand(PlotWindow &window)
    : QObject(&window)
    , m_window(window)
{
    FindPanel *panel = window.findPanel();
    connect(window.palette()->findButton(), &QPushButton::clicked, this, &FindCommand::showPanel);
    connect(panel->closeButton(), &QPushButton::clicked, panel, &QWidget::hide);
    connect(panel, &FindPanel::entryChosen, this, [this](int element) { locate(element - 1); });
    // A click on the bare background takes the marker away.
    connect(window.view(), &PlotView::backgroundMouseDown, this, [this](Qt::MouseButton button) {
        if (button == Qt::LeftButton)
            m_window.locateMarker()->hide();
    });
}

QString FindCommand::entryText(bool live, const QString &text)
{
    if (!live)
        return QStringLiteral("[Deleted]");
    if (trimBlanks(text).isEmpty())
        return QStringLiteral("[Blank]");
    return text;
}

void FindCommand::showPanel()
{
    FindPanel *panel = m_window.findPanel();
    // The window's top-left corner, wherever the table is scrolled.
    m_window.view()->pinToView(panel, QPoint(qRound(Twips::toPixels(1)), qRound(Twips::toPixels(1))));
    m_window.palette()->hide();
    panel->show();
    panel->raise();
    panel->filterField()->setFocus();

    const PlotDocument *document = m_window.document();
    const int count = document->count(ElementKind::Icon);
    QStringList entries;
    entries.reserve(count);
    for (int n = 1; n <= count; ++n) {
        const PlotElement &icon = document->element(ElementKind::Icon, n);
        entries.append(entryText(icon.live, icon.text));
    }
    panel->setEntries(entries);
}

void FindCommand::locate(int entry)
{
    const int n = entry + 1;
    const PlotDocument *document = m_window.document();
    if (n < 1 || n > document->count(ElementKind::Icon))
        return;
    const PlotElement &icon = document->element(ElementKind::Icon, n);
    // The icon's place now, not when the list was made.
    LocateMarker *marker = m_window.locateMarker();
    const QPointF corner(icon.left, icon.top);
    const QSizeF side(LocateMarker::SideTwips, LocateMarker::SideTwips);
    PlotView *view = m_window.view();
    view->pinToTable(marker, corner, side);
    marker->show();
    marker->raise();
    m_window.findPanel()->hide();
    view->setFocus();
    // The marker is of no use off screen: the table scrolls to it.
    view->showArea(QRectF(corner, side), kMarkerMargin);
    if (!icon.live)
        m_window.services().showMessage(
            QStringLiteral("Old location of an icon that was deleted during this session.\r\n"
                           "Recently deleted icon pointers will be removed once you exit/save "
                           "this Plot Table."));
}
