#pragma once

#include <QObject>

class FindPanel;
class LocateMarker;
class frmPlotFile;

// Find: lists the window's icons in the Find panel; a click on an entry
// marks that icon's place, also for one removed since the window opened.
class FindCommand : public QObject
{
    Q_OBJECT
public:
    FindCommand(frmPlotFile &window, FindPanel *panel, LocateMarker *marker);

    void Command8_Click();
    void List1_Click(int entry);

    // The entry for one icon element.
    static QString entryText(bool live, const QString &text);

private:
    frmPlotFile &m_window;
    FindPanel *m_panel;
    LocateMarker *m_marker;
};
