#include "PaletteFrame.h"

#include "ClickableImage.h"
#include "Twips.h"

#include <QPainter>
#include <QPushButton>
#include <QScrollBar>

namespace {

int px(int twips)
{
    return qRound(Twips::toPixels(twips));
}

// &H00404040&
const QColor kFrameColour(64, 64, 64);

} // namespace

PaletteFrame::PaletteFrame(QWidget *parent)
    : QFrame(parent)
{
    setObjectName(QStringLiteral("Frame1"));
    resize(px(2535), px(2775));
    setAutoFillBackground(false);
    setStyleSheet(QStringLiteral("QPushButton { font-size: 11px; padding: 0px; }"));

    Command1 = makeButton(QStringLiteral("X"), 0, 0, 255, 255);

    // Two rows of five, in reading order.
    for (int k = 0; k < SlotCount; ++k) {
        auto *image = new ClickableImage(this);
        const int left = 360 + 360 * (k % 5);
        const int top = k < 5 ? 120 : 480;
        image->setGeometry(Twips::toPixels(left, top, 375, 375));
        connect(image, &ClickableImage::clicked, this,
                [this, image] { emit iconChosen(qint16(image->WhatsThisHelpID)); });
        m_slots[size_t(k)] = image;
    }
    Image3 = m_slots[0];
    Image4 = m_slots[1];
    Image5 = m_slots[2];
    Image6 = m_slots[3];
    Image7 = m_slots[4];
    Image8 = m_slots[5];
    Image9 = m_slots[6];
    Image10 = m_slots[7];
    Image11 = m_slots[8];
    Image12 = m_slots[9];

    HScroll1 = new QScrollBar(Qt::Horizontal, this);
    HScroll1->setGeometry(Twips::toPixels(360, 960, 1815, 255));
    HScroll1->setRange(1, 3000);
    HScroll1->setSingleStep(10);
    HScroll1->setPageStep(10);
    HScroll1->setValue(1);
    // Pages change when the thumb is released, not while it is dragged.
    HScroll1->setTracking(false);
    connect(HScroll1, &QScrollBar::valueChanged, this,
            [this](int value) { RefreshPalette(qint16(value)); });

    Image13 = new ClickableImage(this);
    Image13->setGeometry(Twips::toPixels(240, 1320, 1245, 930));
    Image13->setPicture(QPixmap(QStringLiteral(":/images/note.jpg")));
    Image13->setToolTip(QStringLiteral("Note"));
    connect(Image13, &ClickableImage::clicked, this, &PaletteFrame::noteChosen);

    Command8 = makeButton(QStringLiteral("Find"), 1560, 1680, 735, 255);
    Command5 = makeButton(QStringLiteral("Paste"), 1560, 2040, 735, 255);
    Command2 = makeButton(QStringLiteral("Save Snapshot"), 240, 2400, 2055, 255);
}

QPushButton *PaletteFrame::makeButton(const QString &caption, int left, int top, int width,
                                      int height)
{
    auto *button = new QPushButton(caption, this);
    button->setGeometry(Twips::toPixels(left, top, width, height));
    button->setFocusPolicy(Qt::NoFocus);
    return button;
}

void PaletteFrame::setIconSetCount(qint16 count)
{
    m_iconSetCount = count;
    // With no icon the range is the single value 1, which shows nothing.
    const QSignalBlocker block(HScroll1);
    HScroll1->setMaximum(qMax<int>(1, count));
}

void PaletteFrame::RefreshPalette(qint16 first)
{
    for (int k = 1; k <= SlotCount; ++k) {
        ClickableImage *image = slot(k);
        const int n = first + k - 1;
        if (n < 1 || n > m_iconSetCount) {
            image->hide();
            continue;
        }
        const QPixmap picture = m_iconPicture ? m_iconPicture(qint32(n)) : QPixmap();
        if (picture.isNull()) {
            // A picture that went missing is not offered, rather than
            // leaving the previous page's icon under a stale number.
            image->hide();
            image->WhatsThisHelpID = 0;
            continue;
        }
        image->setPicture(picture);
        image->WhatsThisHelpID = n;
        image->show();
    }
}

void PaletteFrame::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.fillRect(rect(), kFrameColour);
    painter.setPen(QColor(150, 150, 150));
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
    // The caption sits on the top edge, beside the X button.
    QFont font = painter.font();
    font.setPixelSize(9);
    font.setBold(true);
    painter.setFont(font);
    painter.setPen(Qt::white);
    painter.drawText(QRect(Command1->width() + 3, 0, width() - Command1->width() - 6, px(120)),
                     Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("Select Icon"));
}
