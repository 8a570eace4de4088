#pragma once

#include <QList>
#include <QObject>

class PlotView;
class QAction;

// The zoom of one table's view: Zoom In and Zoom Out through a ladder of
// the scales users know from other editors, Fit Window, Actual Size, and
// Ctrl + wheel around the pointer. Positions stay twips of the picture at
// every zoom; only what the view shows changes.
class ZoomController : public QObject
{
    Q_OBJECT
public:
    explicit ZoomController(PlotView &view, QObject *parent = nullptr);
    ~ZoomController() override;

    // Zoom In, Zoom Out, Fit Window, Actual Size, in menu order. Their
    // shortcuts work wherever the table's window has the focus.
    QList<QAction *> actions() const { return m_actions; }
    QAction *zoomInAction() const { return m_actions[0]; }
    QAction *zoomOutAction() const { return m_actions[1]; }
    QAction *fitWindowAction() const { return m_actions[2]; }
    QAction *actualSizeAction() const { return m_actions[3]; }

    static constexpr qreal MinimumZoom = 0.05;
    static constexpr qreal MaximumZoom = 8.0;

    // The next rung of the ladder above or below a scale.
    static qreal stepUp(qreal scale);
    static qreal stepDown(qreal scale);

    void zoomIn();
    void zoomOut();
    void fitWindow();
    void actualSize();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QAction *makeAction(const QString &text, const QKeySequence &shortcut, void (ZoomController::*slot)());
    void updateActions();

    PlotView &m_view;
    QList<QAction *> m_actions;
    // Wheel steps of a fine-grained wheel or touchpad, until a whole one.
    int m_pendingWheel = 0;
};
