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

    QPushButton *closeButton() const { return m_closeButton; }
    QLabel *caption() const { return m_caption; }
    QListWidget *list() const { return m_list; }

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QPushButton *m_closeButton;
    QLabel *m_caption;
    QListWidget *m_list;
};
