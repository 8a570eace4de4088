#include "AboutBox.h"

#include "Twips.h"
#include "WindowServices.h"

#include <QLabel>
#include <QPainter>
#include <QPushButton>

namespace {

QLabel *label(QWidget *parent, const QString &text, const QRect &geometry)
{
    auto *made = new QLabel(text, parent);
    made->setGeometry(geometry);
    made->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    return made;
}

QFont verdana(qreal points)
{
    QFont font(QStringLiteral("Verdana"));
    font.setPointSizeF(points);
    font.setBold(true);
    return font;
}

int px(int twips)
{
    return qRound(Twips::toPixels(twips));
}

} // namespace

AboutBox::AboutBox(QWidget *parent)
    : QDialog(parent)
{
    setWindowTitle(QStringLiteral("About ") + WindowServices::applicationTitle());
    setFixedSize(Twips::toPixels(0, 0, 5730, 3225).size());

    QLabel *picture = label(this, QString(), Twips::toPixels(120, 240, 930, 945));
    picture->setPixmap(QPixmap(QStringLiteral(":/images/compass.jpg")));
    picture->setScaledContents(true);

    QLabel *title = label(this, WindowServices::applicationTitle(), Twips::toPixels(1320, 240, 4125, 360));
    QFont titleFont = font();
    titleFont.setPointSize(12);
    titleFont.setBold(true);
    title->setFont(titleFont);

    m_version = label(this,
                       versionLine(QUENBRACK_VERSION_MAJOR, QUENBRACK_VERSION_MINOR,
                                   QUENBRACK_VERSION_PATCH),
                       Twips::toPixels(1320, 600, 2205, 225));

    QLabel *badge = label(this, QString(), Twips::toPixels(2520, 1200, 855, 645));
    badge->setPixmap(QPixmap(QStringLiteral(":/images/about.png")));

    QLabel *maker = label(this, QStringLiteral("Brindlemoor Software"), Twips::toPixels(1320, 1920, 3255, 255));
    maker->setFont(verdana(9.75));
    QLabel *description = label(this, QStringLiteral("brindlemoor.example/quenbrack"),
                           Twips::toPixels(1320, 2160, 3285, 210));
    description->setFont(verdana(8.25));
    QLabel *disclaimer = label(this,
                          QStringLiteral("Copyright \u00a9 2026 Brindlemoor Software.\n"
                                         "All rights reserved."),
                          Twips::toPixels(255, 2625, 3870, 465));
    QFont small = font();
    small.setPointSizeF(7.5);
    disclaimer->setFont(small);

    m_okButton = new QPushButton(QStringLiteral("OK"), this);
    m_okButton->setGeometry(Twips::toPixels(4245, 2625, 1260, 345));
    // Enter and Escape both close the box.
    m_okButton->setDefault(true);
    m_okButton->setAutoDefault(true);
    connect(m_okButton, &QPushButton::clicked, this, &QDialog::accept);
}

QString AboutBox::versionLine(int major, int minor, int revision)
{
    return QStringLiteral("Version %1.%2.%3").arg(major).arg(minor).arg(revision);
}

void AboutBox::paintEvent(QPaintEvent *event)
{
    QDialog::paintEvent(event);
    // The engraved separator: a grey line with a white one under it.
    QPainter painter(this);
    painter.setPen(QColor(128, 128, 128));
    painter.drawLine(px(90), px(2445), px(5654), px(2445));
    painter.setPen(Qt::white);
    painter.drawLine(px(105), px(2460), px(5654), px(2460));
}
