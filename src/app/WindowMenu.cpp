#include "WindowMenu.h"

#include "WindowTitle.h"

#include <QActionGroup>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPointer>

namespace {

// The standard keys, and the ones the user asked for where a platform
// binds them otherwise.
QList<QKeySequence> keys(QKeySequence::StandardKey standard, const QKeySequence &wanted)
{
    QList<QKeySequence> list = QKeySequence::keyBindings(standard);
    if (!list.contains(wanted))
        list.prepend(wanted);
    return list;
}

} // namespace

WindowMenu::WindowMenu(QMdiArea *area, QWidget *parent)
    : QMenu(QStringLiteral("&Window"), parent)
    , m_area(area)
    , m_windows(new QActionGroup(this))
{
    m_tile = addAction(QStringLiteral("&Tile"), area, &QMdiArea::tileSubWindows);
    m_tile->setStatusTip(QStringLiteral("Arrange the windows side by side"));
    m_cascade = addAction(QStringLiteral("&Cascade"), area, &QMdiArea::cascadeSubWindows);
    m_cascade->setStatusTip(QStringLiteral("Arrange the windows one over the other"));
    addSeparator();
    m_next = addAction(QStringLiteral("Ne&xt"), area, &QMdiArea::activateNextSubWindow);
    m_next->setShortcuts(keys(QKeySequence::NextChild, QKeySequence(Qt::CTRL | Qt::Key_Tab)));
    m_next->setStatusTip(QStringLiteral("Go to the next window"));
    m_previous =
        addAction(QStringLiteral("Pre&vious"), area, &QMdiArea::activatePreviousSubWindow);
    m_previous->setShortcuts(keys(QKeySequence::PreviousChild,
                                  QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Backtab)));
    m_previous->setStatusTip(QStringLiteral("Go to the previous window"));
    m_listSeparator = addSeparator();
    m_windows->setExclusive(true);

    connect(this, &QMenu::aboutToShow, this, &WindowMenu::listWindows);
    connect(area, &QMdiArea::subWindowActivated, this, &WindowMenu::updateActions);
    listWindows();
}

QList<QAction *> WindowMenu::windowActions() const
{
    return m_windows->actions();
}

void WindowMenu::updateActions()
{
    const bool any = !m_area->subWindowList().isEmpty();
    const bool several = m_area->subWindowList().size() > 1;
    m_tile->setEnabled(any);
    m_cascade->setEnabled(any);
    m_next->setEnabled(several);
    m_previous->setEnabled(several);
    m_listSeparator->setVisible(any);
}

void WindowMenu::listWindows()
{
    for (QAction *action : m_windows->actions())
        delete action;
    updateActions();
    const QList<QMdiSubWindow *> windows = m_area->subWindowList();
    QMdiSubWindow *current = m_area->currentSubWindow();
    for (int i = 0; i < windows.size(); ++i) {
        QMdiSubWindow *window = windows[i];
        // The first nine are reached by their digit.
        const QString number =
            i < 9 ? QStringLiteral("&%1").arg(i + 1) : QString::number(i + 1);
        // As the window's title bar shows it: the change mark resolved.
        QString title = WindowTitle::shown(window->widget() ? window->widget() : window);
        QAction *action = addAction(number + u' ' + title.replace(u'&', QStringLiteral("&&")));
        action->setCheckable(true);
        action->setChecked(window == current);
        m_windows->addAction(action);
        connect(action, &QAction::triggered, m_area,
                [area = m_area, window = QPointer<QMdiSubWindow>(window)] {
                    if (window)
                        area->setActiveSubWindow(window);
                });
    }
}
