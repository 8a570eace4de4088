#pragma once

#include <QFrame>

class QLabel;
class QPushButton;

// The bar across the top of a table window that says its file was changed
// from outside while the window holds edits of its own, and offers
// "Reload" and "Keep Mine". A bar, not a box: the user finishes what they
// were doing and answers when they like.
class ReloadBar : public QFrame
{
    Q_OBJECT
public:
    explicit ReloadBar(QWidget *parent = nullptr);

    void setText(const QString &text);
    QString text() const;
    QPushButton *reloadButton() const { return m_reload; }
    QPushButton *keepMineButton() const { return m_keepMine; }

private:
    QLabel *m_label;
    QPushButton *m_reload;
    QPushButton *m_keepMine;
};
