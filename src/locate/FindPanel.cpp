#include "FindPanel.h"

#include "Twips.h"

#include <QLabel>
#include <QListWidget>
#include <QPainter>
#include <QPushButton>

FindPanel::FindPanel(QWidget *parent)
    : QFrame(parent)
{
    setObjectName(QStringLiteral("findPanel"));
    resize(Twips::toPixels(0, 0, 5295, 5055).size());

    m_closeButton = new QPushButton(QStringLiteral("X"), this);
    m_closeButton->setGeometry(Twips::toPixels(0, 0, 255, 255));
    m_closeButton->setFocusPolicy(Qt::NoFocus);
    m_closeButton->setStyleSheet(QStringLiteral("font-size: 11px; padding: 0px;"));

    m_caption = new QLabel(QStringLiteral("Select Icon to Locate"), this);
    m_caption->setGeometry(Twips::toPixels(360, 0, 4815, 255));
    QFont font(QStringLiteral("Verdana"));
    font.setPointSizeF(9.75);
    font.setBold(true);
    m_caption->setFont(font);
    m_caption->setStyleSheet(QStringLiteral("color: white;"));

    m_list = new QListWidget(this);
    m_list->setGeometry(Twips::toPixels(360, 240, 4815, 4740));
    // Tens of thousands of entries of one height: no per-entry measuring.
    m_list->setUniformItemSizes(true);
    m_list->setSortingEnabled(false);
}

void FindPanel::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.fillRect(rect(), QColor(64, 64, 64)); // &H00404040&
}
