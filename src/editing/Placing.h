#pragma once

#include <QObject>
#include <QPointF>

class PlotWindow;

// Placing new elements. A right-click on the bare background opens the
// palette there and waits for its answer: a slot places that icon, the
// note picture places a note, each at the click point and then asking for
// its text. The wait is a pending state that the palette's choice, or the
// palette being hidden (X, Find, Paste, Save Snapshot, the window
// closing), completes.
class Placing : public QObject
{
    Q_OBJECT
public:
    explicit Placing(PlotWindow &window);
    ~Placing() override;

    bool isWaiting() const { return m_waiting; }
    // The palette's top-left corner in twips: the point of the right-click
    // that opened it.
    QPointF palettePoint() const { return m_point; }

    void backgroundMouseDown(Qt::MouseButton button, QPointF twips);
    // Opens the palette at a point of the table (twips), as a right-click
    // there does; its first slot takes the focus.
    void openAt(QPointF twips);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void endWait(qint32 choice);
    void place(qint32 choice);

    PlotWindow &m_window;
    bool m_waiting = false;
    bool m_focusWasOnView = false;
    QPointF m_point;
};
