#include "ActionMenuFrame.h"

#include "Twips.h"

#include <QPainter>
#include <QPushButton>

namespace {

QPushButton *button(QWidget *parent, const QString &caption, int left, int top, int width,
                    int height)
{
    auto *made = new QPushButton(caption, parent);
    made->setGeometry(Twips::toPixels(left, top, width, height));
    // Reached by the keyboard only: a click leaves the focus on the table.
    made->setFocusPolicy(Qt::TabFocus);
    made->setAutoDefault(true);
    return made;
}

} // namespace

ActionMenuFrame::ActionMenuFrame(QWidget *parent)
    : QFrame(parent)
{
    setObjectName(QStringLiteral("actionMenu"));
    // Presses on the menu's own area are the menu's, not the table's.
    setAttribute(Qt::WA_NoMousePropagation);
    resize(qRound(Twips::toPixels(1215)), qRound(Twips::toPixels(975)));
    setStyleSheet(QStringLiteral("QPushButton { font-size: 11px; padding: 0px; }"));
    m_closeButton = button(this, QStringLiteral("X"), 0, 0, 255, 255);
    m_editButton = button(this, QStringLiteral("Edit"), 360, 120, 735, 255);
    m_cutButton = button(this, QStringLiteral("Cut"), 360, 360, 735, 255);
    m_deleteButton = button(this, QStringLiteral("Delete"), 360, 600, 735, 255);
    setAccessibleName(QStringLiteral("Actions"));
    m_closeButton->setAccessibleName(QStringLiteral("Close"));
}

bool ActionMenuFrame::focusNextPrevChild(bool next)
{
    // The arrow keys and Tab reach here from the focused button. The focus
    // goes round the menu's buttons and stays inside the menu.
    const QList<QPushButton *> order = {m_editButton, m_cutButton, m_deleteButton, m_closeButton};
    const qsizetype at = order.indexOf(qobject_cast<QPushButton *>(focusWidget()));
    const qsizetype step = next ? 1 : -1;
    const qsizetype to = at < 0 ? 0 : (at + step + order.size()) % order.size();
    order[to]->setFocus(Qt::TabFocusReason);
    return true;
}

void ActionMenuFrame::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.fillRect(rect(), QColor(64, 64, 64)); // &H00404040&
    painter.setPen(QColor(150, 150, 150));
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
}
