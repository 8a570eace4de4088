#pragma once

#include <QMenu>

class QAction;
class QActionGroup;
class QMdiArea;

// The Window menu: arranging the windows of the workspace, going from one
// to the next, and the list of open windows with the active one checked.
class WindowMenu : public QMenu
{
    Q_OBJECT
public:
    explicit WindowMenu(QMdiArea *area, QWidget *parent = nullptr);

    QAction *tileAction() const { return m_tile; }
    QAction *cascadeAction() const { return m_cascade; }
    QAction *nextAction() const { return m_next; }
    QAction *previousAction() const { return m_previous; }
    // The entries of the window list as the menu shows them now.
    QList<QAction *> windowActions() const;

    // Enables what needs a window; the menu calls it whenever the active
    // window changes, so that the shortcuts follow too.
    void updateActions();

private:
    void listWindows();

    QMdiArea *m_area;
    QAction *m_tile;
    QAction *m_cascade;
    QAction *m_next;
    QAction *m_previous;
    QAction *m_listSeparator;
    QActionGroup *m_windows;
};
