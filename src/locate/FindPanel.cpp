#include "FindPanel.h"

#include "Twips.h"

#include <QLabel>
#include <QListWidget>
#include <QPainter>
#include <QPushButton>


FindPanel::FindPanel(QWidget *parent)
    : QFrame(parent)
{
    setObjectName(QStringLiteral("Frame3"));
    resize(Twips::toPixels(0, 0, 5295, 5055).size());

    Command9 = new QPushButton(QStringLiteral("X"), this);
    Command9->setGeometry(Twips::toPixels(0, 0, 255, 255));
    Command9->setFocusPolicy(Qt::NoFocus);
    Command9->setStyleSheet(QStringLiteral("font-size: 11px; padding: 0px;"));

    Label2 = new QLabel(QStringLiteral("Select Icon to Locate"), this);
    Label2->setGeometry(Twips::toPixels(360, 0, 4815, 255));
    QFont font(QStringLiteral("Verdana"));
    font.setPointSizeF(9.75);
    font.setBold(true);
    Label2->setFont(font);
    Label2->setStyleSheet(QStringLiteral("color: white;"));

    List1 = new QListWidget(this);
    List1->setGeometry(Twips::toPixels(360, 240, 4815, 4740));
    // Tens of thousands of entries of one height: no per-entry measuring.
    List1->setUniformItemSizes(true);
    List1->setSortingEnabled(false);
}

void FindPanel::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.fillRect(rect(), QColor(64, 64, 64)); // &H00404040&
}
