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
    made->setFocusPolicy(Qt::NoFocus);
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
}

void ActionMenuFrame::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.fillRect(rect(), QColor(64, 64, 64)); // &H00404040&
    painter.setPen(QColor(150, 150, 150));
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
}
