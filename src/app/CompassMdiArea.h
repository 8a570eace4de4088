#pragma once

#include <QMdiArea>
#include <QPixmap>
#include <QPointer>
#include <QVector>

class QMdiSubWindow;

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

    // Gives a window its wanted size and place, as far as a workspace of
    // the given size allows, and again whenever the workspace changes size,
    // until the user moves or sizes it. So a table window never has its
    // title bar or close button outside the workspace, also while the
    // main window is still growing for it.
    void fitWindow(QMdiSubWindow *window, QSize wanted, QPoint place, QSize workspace);

protected:
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    struct Fitted
    {
        QPointer<QMdiSubWindow> window;
        QSize wanted;
        QPoint place;
        QRect given; // what it was given last; anything else is the user's
    };
    static void fit(Fitted &fitted, QSize workspace);
    void refitWindows();

    QPixmap m_compass;
    QPointer<QWidget> m_startPage;
    QVector<Fitted> m_fitted;
};
