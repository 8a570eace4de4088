#include "FindCommand.h"

#include "Blanks.h"
#include "FindPanel.h"
#include "LocateMarker.h"
#include "MDIForm1.h"
#include "PaletteFrame.h"
#include "Twips.h"
#include "frmPlotFile.h"

#include <QListWidget>
#include <QPushButton>

FindCommand::FindCommand(frmPlotFile &window, FindPanel *panel, LocateMarker *marker)
    : QObject(&window)
    , m_window(window)
    , m_panel(panel)
    , m_marker(marker)
{
    connect(window.Frame1->Command8, &QPushButton::clicked, this, &FindCommand::Command8_Click);
    connect(panel->Command9, &QPushButton::clicked, panel, &QWidget::hide);
    connect(panel->List1, &QListWidget::itemClicked, this,
            [this](QListWidgetItem *item) { List1_Click(m_panel->List1->row(item)); });
}

QString FindCommand::entryText(bool live, const QString &text)
{
    if (!live)
        return QStringLiteral("[Deleted]");
    if (trimBlanks(text).isEmpty())
        return QStringLiteral("[Blank]");
    return text;
}

void FindCommand::Command8_Click()
{
    m_window.paletteOpen = false;
    m_panel->move(qRound(Twips::toPixels(1)), qRound(Twips::toPixels(1)));
    m_window.Frame1->hide();
    m_panel->show();
    m_panel->raise();

    const int count = m_window.iconElementCount();
    QStringList entries;
    entries.reserve(count);
    for (int k = 1; k <= count; ++k) {
        const PlotElement &icon = m_window.doc.Image1[k];
        entries.append(entryText(icon.visible, icon.text));
    }
    m_panel->List1->clear();
    m_panel->List1->addItems(entries);
}

void FindCommand::List1_Click(int entry)
{
    const int k = entry + 1;
    if (k < 1 || k > m_window.iconElementCount())
        return;
    const PlotElement &icon = m_window.doc.Image1[k];
    // The icon's place now, not when the list was made.
    m_marker->move(qRound(Twips::toPixels(icon.left)), qRound(Twips::toPixels(icon.top)));
    m_marker->show();
    m_marker->raise();
    m_panel->hide();
    if (!icon.visible)
        m_window.main().services().MsgBox(
            QStringLiteral("Old location of an icon that was deleted during this session.\r\n"
                           "Recently deleted icon pointers will be removed once you exit/save "
                           "this Plot Table."));
}
