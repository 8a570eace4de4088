#pragma once

#include <QFrame>

class QPushButton;

// The action menu beside an icon or a note: X, Edit, Cut and Delete. From
// the keyboard the arrow keys and Tab go from button to button, Enter or
// Space presses the one with the focus.
class ActionMenuFrame : public QFrame
{
    Q_OBJECT
public:
    explicit ActionMenuFrame(QWidget *parent = nullptr);

    QPushButton *closeButton() const { return m_closeButton; }
    QPushButton *editButton() const { return m_editButton; }
    QPushButton *cutButton() const { return m_cutButton; }
    QPushButton *deleteButton() const { return m_deleteButton; }

protected:
    void paintEvent(QPaintEvent *event) override;
    bool focusNextPrevChild(bool next) override;

private:
    QPushButton *m_closeButton;
    QPushButton *m_editButton;
    QPushButton *m_cutButton;
    QPushButton *m_deleteButton;
};
