#pragma once

#include "PlotElement.h"

#include <QPointer>
#include <QStatusBar>

class PlotWindow;
class QLabel;

// The main window's status bar: for the active table the number of its
// live icons and notes, where the pointer is on its picture and the zoom at
// which it shows, and the
// outcome of the last snapshot.
class TableStatusBar : public QStatusBar
{
    Q_OBJECT
public:
    explicit TableStatusBar(QWidget *parent = nullptr);

    // The table to follow; nullptr when no table window is active.
    void follow(PlotWindow *window);
    PlotWindow *followed() const { return m_window; }

    QString countsText() const;
    QString pointerText() const;
    QString zoomText() const;

    void showSnapshotSaved(const QString &path, bool written, bool shown);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void countLive(ElementKind kind);
    void elementAdded(ElementKind kind, int n);
    void showCounts();
    void showPointer(QPoint viewportPos);
    void showZoom(qreal scale);

    QPointer<PlotWindow> m_window;
    // The followed view's viewport, watched for the pointer. Its events
    // come also while the window around it is being destroyed, when the
    // window must not be looked at any more.
    QPointer<QWidget> m_surface;
    QLabel *m_counts;
    QLabel *m_pointer;
    QLabel *m_zoom;
    int m_liveIcons = 0;
    int m_liveNotes = 0;
};
