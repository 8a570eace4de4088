#pragma once

#include <QMdiArea>
#include <QPixmap>
#include <QPointer>

// The main window's workspace: black, with the compass rose once in its
// centre rather than tiled as a background brush would be, and over it,
// while the workspace is empty, the start page.
class CompassMdiArea : public QMdiArea
{
    Q_OBJECT
public:
    explicit CompassMdiArea(QWidget *parent = nullptr);

    // The widget shown centred over the compass; the area takes it.
    void setStartPage(QWidget *page);
    // Centres the start page again, after its text changed.
    void placeStartPage();

protected:
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    // A workspace that shrank, or did not grow as far as asked, would leave
    // windows with their title bar and close button out of reach: those
    // move back in, and shrink when they must.
    void keepWindowsInside();

    QPixmap m_compass;
    QPointer<QWidget> m_startPage;
};
