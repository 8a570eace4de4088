#pragma once

#include <QMdiArea>
#include <QPixmap>

// The main window's client area: black, with the compass rose once in its
// centre rather than tiled as a background brush would be.
class CompassMdiArea : public QMdiArea
{
    Q_OBJECT
public:
    explicit CompassMdiArea(QWidget *parent = nullptr);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QPixmap m_compass;
};
