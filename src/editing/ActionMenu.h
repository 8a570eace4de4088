#pragma once

#include "PlotView.h"

#include <QObject>

class ActionMenuFrame;
class frmPlotFile;

// Edit, Cut and Delete for the icons and notes of one window. A right
// mouse-down on an element opens the menu beside it; the wait is a pending
// state that the menu's buttons complete, and the answer applies to that
// element alone.
class ActionMenu : public QObject
{
    Q_OBJECT
public:
    enum Choice : qint16 { None = 0, Edit = 1, Cut = 2, Delete = 4 };

    ActionMenu(frmPlotFile &window, ActionMenuFrame *frame);
    ~ActionMenu() override;

    void elementMouseDown(PlotView::Target target, Qt::MouseButton button);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void choose(Choice choice);
    void endWait();
    void apply(Choice choice);

    frmPlotFile &m_window;
    ActionMenuFrame *m_frame;
    bool m_waiting = false;
    PlotView::Target m_target;
};
