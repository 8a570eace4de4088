#include "FindCommand.h"

#include "Blanks.h"
#include "FindPanel.h"
#include "LocateMarker.h"
#include "PaletteFrame.h"
#include "PlotDocument.h"
#include "PlotWindow.h"
#include "Twips.h"
#include "WindowServices.h"

#include <QListWidget>
#include <QPushButton>

FindCommand::FindCommand(PlotWindow &window)
    : QObject(&window)
    , m_window(window)
{
    FindPanel *panel = window.findPanel();
    connect(window.palette()->findButton(), &QPushButton::clicked, this, &FindCommand::showPanel);
    connect(panel->closeButton(), &QPushButton::clicked, panel, &QWidget::hide);
    connect(panel->list(), &QListWidget::itemClicked, this,
            [this, panel](QListWidgetItem *item) { locate(panel->list()->row(item)); });
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
    panel->move(qRound(Twips::toPixels(1)), qRound(Twips::toPixels(1)));
    m_window.palette()->hide();
    panel->show();
    panel->raise();

    const PlotDocument *document = m_window.document();
    const int count = document->count(ElementKind::Icon);
    QStringList entries;
    entries.reserve(count);
    for (int n = 1; n <= count; ++n) {
        const PlotElement &icon = document->element(ElementKind::Icon, n);
        entries.append(entryText(icon.live, icon.text));
    }
    panel->list()->clear();
    panel->list()->addItems(entries);
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
    marker->move(qRound(Twips::toPixels(icon.left)), qRound(Twips::toPixels(icon.top)));
    marker->show();
    marker->raise();
    m_window.findPanel()->hide();
    if (!icon.live)
        m_window.services().showMessage(
            QStringLiteral("Old location of an icon that was deleted during this session.\r\n"
                           "Recently deleted icon pointers will be removed once you exit/save "
                           "this Plot Table."));
}
