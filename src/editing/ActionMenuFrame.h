#pragma once

#include <QFrame>

class QPushButton;

// The action menu beside an icon or a note: X, Edit, Cut and Delete.
class ActionMenuFrame : public QFrame
{
    Q_OBJECT
public:
    explicit ActionMenuFrame(QWidget *parent = nullptr);

    QPushButton *Command3; // X
    QPushButton *Command6; // Edit
    QPushButton *Command4; // Cut
    QPushButton *Command7; // Delete

protected:
    void paintEvent(QPaintEvent *event) override;
};
