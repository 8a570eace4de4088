#pragma once

#include <QWidget>

// The red square that marks a found icon: transparent inside, so the icon
// under it stays visible, and transparent to the mouse, so it never stands
// between the user and the icon.
class LocateMarker : public QWidget
{
    Q_OBJECT
public:
    // The square frames an icon of up to this size.
    static constexpr int SideTwips = 375;

    explicit LocateMarker(QWidget *parent = nullptr);

protected:
    void paintEvent(QPaintEvent *event) override;
};
