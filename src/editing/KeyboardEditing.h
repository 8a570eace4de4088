#pragma once

#include "PlotView.h"

#include <QElapsedTimer>
#include <QObject>

class PlotWindow;

// Editing a table by keyboard alone, while its view has the focus:
// Tab and Shift+Tab select the next and the previous live element (icons,
// then notes, in the table's order) and scroll it into view; the arrow keys
// move the selected element by a pixel, by ten with Shift, and a burst of
// presses is one step of the history; F2 or Enter edits its text; Delete
// deletes it; the Menu key or Shift+F10 opens its action menu, or with
// nothing selected the palette at the centre of what shows of the table.
class KeyboardEditing : public QObject
{
    Q_OBJECT
public:
    explicit KeyboardEditing(PlotWindow &window);
    ~KeyboardEditing() override;

    // Presses further apart than this start a new step of the history.
    static constexpr int BurstGapMs = 1000;

    // The element after (or before) the selected one, wrapping around;
    // Background when the table has no live element.
    PlotView::Target nextElement(bool forward) const;
    void selectNext(bool forward);
    // Moves the selected element by pixels of the picture.
    void moveSelected(QPoint pixels);
    // The action menu of the selected element, or the palette.
    void openMenu();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    bool keyPress(const class QKeyEvent &key);

    PlotWindow &m_window;
    QElapsedTimer m_sinceLastMove;
    PlotView::Target m_moved;
    int m_carryId = 0;
    int m_stepIndex = -1;
};
