#pragma once

#include "PlotView.h"

#include <QObject>
#include <QPointF>

class frmPlotFile;

// Placing and moving on the bare background. A right-click opens the
// palette at the pointer and waits for its answer; the wait is a pending
// state that the palette's choice, or the palette being hidden, completes.
// A click on an element picks it up; left-drags over the background carry
// it with its top-left corner at the pointer.
class Placing : public QObject
{
    Q_OBJECT
public:
    explicit Placing(frmPlotFile &window);
    ~Placing() override;

    bool waiting() const { return m_waiting; }
    // The palette's top-left corner in twips: the point of the right-click
    // that opened it.
    QPointF palettePoint() const { return m_point; }

    void backgroundMouseDown(Qt::MouseButton button, QPointF twips);
    void backgroundMouseMove(Qt::MouseButtons buttons, QPointF twips);
    void elementClicked(PlotView::Target target);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void endWait();

    frmPlotFile &m_window;
    bool m_waiting = false;
    QPointF m_point;
};
