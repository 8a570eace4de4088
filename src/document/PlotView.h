#pragma once

#include <QGraphicsView>
#include <QPixmap>

// The client area of a document window: the background picture, unscaled
// at the top-left corner, with the icons and notes of the scene on it.
// Scene coordinates are the client area's pixels; the view never scrolls.
class PlotView : public QGraphicsView
{
    Q_OBJECT
public:
    explicit PlotView(QGraphicsScene *scene, QWidget *parent = nullptr);

    void setBackgroundPicture(const QPixmap &picture);
    const QPixmap &backgroundPicture() const { return m_background; }

protected:
    void drawBackground(QPainter *painter, const QRectF &rect) override;
    void resizeEvent(QResizeEvent *event) override;
    void wheelEvent(QWheelEvent *event) override;

private:
    QPixmap m_background;
};
