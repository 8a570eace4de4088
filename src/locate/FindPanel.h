#pragma once

#include <QFrame>

class QLabel;
class QListWidget;
class QPushButton;

// The Find panel: the window's icons by their texts, in element order.
class FindPanel : public QFrame
{
    Q_OBJECT
public:
    explicit FindPanel(QWidget *parent = nullptr);

    QPushButton *Command9; // X
    QLabel *Label2;
    QListWidget *List1;

protected:
    void paintEvent(QPaintEvent *event) override;
};
