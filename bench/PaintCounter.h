#pragma once

#include <QObject>

// Counts the paint events a widget receives, so that a timing can wait for
// the frame the event loop paints by itself rather than forcing one.
class PaintCounter : public QObject
{
    Q_OBJECT
public:
    explicit PaintCounter(QWidget *widget);

    int paints() const { return m_paints; }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    int m_paints = 0;
};
