#pragma once

#include <QLabel>

// An image element: shows its picture unscaled at its top-left corner,
// takes the picture's size, and reports clicks. It carries the icon number
// it shows, as the palette's slots need. With the focus, Enter or Space
// clicks it, and a frame around it shows where the focus is.
class ClickableImage : public QLabel
{
    Q_OBJECT
public:
    explicit ClickableImage(QWidget *parent = nullptr);

    void setPicture(const QPixmap &picture);

    qint32 iconNumber() const { return m_iconNumber; }
    void setIconNumber(qint32 number) { m_iconNumber = number; }

signals:
    void clicked();

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void paintEvent(QPaintEvent *event) override;

private:
    bool m_pressed = false;
    qint32 m_iconNumber = 0;
};
