#include "ReloadBar.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>

ReloadBar::ReloadBar(QWidget *parent)
    : QFrame(parent)
    , m_label(new QLabel(this))
    , m_reload(new QPushButton(QStringLiteral("&Reload"), this))
    , m_keepMine(new QPushButton(QStringLiteral("&Keep Mine"), this))
{
    setObjectName(QStringLiteral("reloadBar"));
    setFrameShape(QFrame::StyledPanel);
    setAutoFillBackground(true);
    // A pale yellow that reads as a notice on any style.
    QPalette colours = palette();
    colours.setColor(QPalette::Window, QColor(255, 246, 196));
    colours.setColor(QPalette::WindowText, Qt::black);
    setPalette(colours);
    m_label->setWordWrap(true);
    m_reload->setToolTip(QStringLiteral("Read the table from its file again. Your changes are "
                                        "first saved beside it under a name of their own."));
    m_keepMine->setToolTip(QStringLiteral("Go on with your changes. On closing you are asked "
                                          "whether to overwrite the file."));
    auto *layout = new QHBoxLayout(this);
    layout->setContentsMargins(8, 4, 8, 4);
    layout->addWidget(m_label, 1);
    layout->addWidget(m_reload);
    layout->addWidget(m_keepMine);
}

void ReloadBar::setText(const QString &text)
{
    m_label->setText(text);
}

QString ReloadBar::text() const
{
    return m_label->text();
}
