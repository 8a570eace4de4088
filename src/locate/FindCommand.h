#pragma once

#include <QObject>

class PlotWindow;

// Find: lists the window's icons in the Find panel; a click on an entry
// marks that icon's place, also for one removed since the window opened.
class FindCommand : public QObject
{
    Q_OBJECT
public:
    explicit FindCommand(PlotWindow &window);

    void showPanel();
    // Marks the icon of a list entry (0 for the first).
    void locate(int entry);

    // The entry for one icon element.
    static QString entryText(bool live, const QString &text);

private:
    PlotWindow &m_window;
};
