#pragma once

#include "PlotView.h"

#include <QObject>

class PlotWindow;

// Edit, Cut and Delete for the icons and notes of one window. A right
// mouse-down on an element opens the action menu beside it; the wait is a
// pending state that the menu's buttons complete, and the answer applies
// to that element alone.
class ActionMenu : public QObject
{
    Q_OBJECT
public:
    enum Choice { None, Edit, Cut, Delete };

    explicit ActionMenu(PlotWindow &window);
    ~ActionMenu() override;

    bool isWaiting() const { return m_waiting; }

    void elementMouseDown(PlotView::Target target, Qt::MouseButton button);
    // Opens the menu beside an element, as a right-click on it does. From
    // the keyboard its first button takes the focus.
    void openFor(PlotView::Target target, bool byKeyboard = false);

    // What a choice does to one element; the menu bar's Cut and Delete take
    // this same way for the picked-up element.
    void apply(Choice choice, PlotView::Target target);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void choose(Choice choice);
    void endWait();
    void editLater(PlotView::Target target);

    PlotWindow &m_window;
    bool m_waiting = false;
    Choice m_choice = None;
    PlotView::Target m_target;
    bool m_focusWasOnView = false;
};
