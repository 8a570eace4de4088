#include "PaletteFrame.h"

#include "ClickableImage.h"
#include "Twips.h"

#include <QKeyEvent>
#include <QPainter>
#include <QPushButton>
#include <QScrollBar>

#include <algorithm>

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
    setObjectName(QStringLiteral("palette"));
    // Presses on the palette's own area are the palette's, not the table's.
    setAttribute(Qt::WA_NoMousePropagation);
    resize(px(2535), px(2775));
    setAutoFillBackground(false);
    setStyleSheet(QStringLiteral("QPushButton { font-size: 11px; padding: 0px; }"));

    setAccessibleName(QStringLiteral("Select Icon"));
    m_closeButton = makeButton(QStringLiteral("X"), 0, 0, 255, 255);
    m_closeButton->setAccessibleName(QStringLiteral("Close"));

    // Two rows of five, in reading order.
    for (int k = 0; k < SlotCount; ++k) {
        auto *image = new ClickableImage(this);
        const int left = 360 + 360 * (k % 5);
        const int top = k < 5 ? 120 : 480;
        image->setGeometry(Twips::toPixels(left, top, 375, 375));
        connect(image, &ClickableImage::clicked, this,
                [this, image] { emit iconChosen(qint16(image->iconNumber())); });
        m_slots[size_t(k)] = image;
    }

    m_pageScrollBar = new QScrollBar(Qt::Horizontal, this);
    m_pageScrollBar->setGeometry(Twips::toPixels(360, 960, 1815, 255));
    m_pageScrollBar->setRange(1, 3000);
    m_pageScrollBar->setSingleStep(10);
    m_pageScrollBar->setPageStep(10);
    m_pageScrollBar->setValue(1);
    // Pages change when the thumb is released, not while it is dragged.
    m_pageScrollBar->setTracking(false);
    m_pageScrollBar->setAccessibleName(QStringLiteral("Page"));
    m_pageScrollBar->setFocusPolicy(Qt::NoFocus);
    connect(m_pageScrollBar, &QScrollBar::valueChanged, this,
            [this](int value) { showPage(qint16(value)); });

    m_notePicture = new ClickableImage(this);
    m_notePicture->setGeometry(Twips::toPixels(240, 1320, 1245, 930));
    m_notePicture->setPicture(QPixmap(QStringLiteral(":/images/note.jpg")));
    m_notePicture->setToolTip(QStringLiteral("Note"));
    m_notePicture->setAccessibleName(QStringLiteral("Note"));
    connect(m_notePicture, &ClickableImage::clicked, this, &PaletteFrame::noteChosen);

    m_findButton = makeButton(QStringLiteral("Find"), 1560, 1680, 735, 255);
    m_pasteButton = makeButton(QStringLiteral("Paste"), 1560, 2040, 735, 255);
    m_snapshotButton = makeButton(QStringLiteral("Save Snapshot"), 240, 2400, 2055, 255);
}

QPushButton *PaletteFrame::makeButton(const QString &caption, int left, int top, int width,
                                      int height)
{
    auto *button = new QPushButton(caption, this);
    button->setGeometry(Twips::toPixels(left, top, width, height));
    // Reached by the keyboard only: a click leaves the focus where it was.
    button->setFocusPolicy(Qt::TabFocus);
    button->setAutoDefault(true);
    return button;
}

void PaletteFrame::setIconSetCount(qint16 count)
{
    m_iconSetCount = count;
    // With no icon the range is the single value 1, which shows nothing.
    const QSignalBlocker block(m_pageScrollBar);
    m_pageScrollBar->setMaximum(qMax<int>(1, count));
}

void PaletteFrame::showPage(qint16 first)
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
            image->setIconNumber(0);
            continue;
        }
        image->setPicture(picture);
        image->setIconNumber(n);
        image->setToolTip(QStringLiteral("Icon %1").arg(n));
        image->setAccessibleName(QStringLiteral("Icon %1").arg(n));
        image->show();
    }
}

QList<QWidget *> PaletteFrame::keyboardOrder() const
{
    QList<QWidget *> order;
    for (ClickableImage *image : m_slots)
        if (!image->isHidden())
            order.append(image);
    order << m_notePicture << m_findButton << m_pasteButton << m_snapshotButton << m_closeButton;
    return order;
}

void PaletteFrame::focusFirstSlot()
{
    keyboardOrder().constFirst()->setFocus(Qt::PopupFocusReason);
}

bool PaletteFrame::focusNextPrevChild(bool next)
{
    moveFocus(0, next ? 1 : -1);
    return true;
}

void PaletteFrame::moveFocus(int slotStep, int orderStep)
{
    const QList<QWidget *> order = keyboardOrder();
    QWidget *focused = focusWidget();
    const auto slotIndex = std::find(m_slots.begin(), m_slots.end(), focused) - m_slots.begin();
    QWidget *to = nullptr;
    if (slotStep != 0) {
        // Up and down between the rows of slots; down from the lower row,
        // or where no slot lies below, to the note picture.
        if (slotIndex >= SlotCount) {
            to = slotStep < 0 && focused == m_notePicture ? order.constFirst() : nullptr;
        } else {
            const auto below = slotIndex + slotStep;
            to = below >= 0 && below < SlotCount && !m_slots[size_t(below)]->isHidden()
                     ? m_slots[size_t(below)]
                     : slotStep > 0 ? m_notePicture : nullptr;
        }
    } else {
        const qsizetype at = order.indexOf(focused);
        to = order[at < 0 ? 0 : (at + orderStep + order.size()) % order.size()];
    }
    if (to)
        to->setFocus(Qt::TabFocusReason);
}

void PaletteFrame::page(bool forward)
{
    // The focus stays on the same slot of the new page, or on the last
    // one that still shows an icon.
    const auto slotIndex = std::find(m_slots.begin(), m_slots.end(), focusWidget()) - m_slots.begin();
    m_pageScrollBar->triggerAction(forward ? QAbstractSlider::SliderPageStepAdd
                                           : QAbstractSlider::SliderPageStepSub);
    if (slotIndex >= SlotCount)
        return;
    for (auto k = slotIndex; k >= 0; --k) {
        if (!m_slots[size_t(k)]->isHidden()) {
            m_slots[size_t(k)]->setFocus(Qt::OtherFocusReason);
            return;
        }
    }
    m_notePicture->setFocus(Qt::OtherFocusReason);
}

void PaletteFrame::keyPressEvent(QKeyEvent *event)
{
    switch (event->key()) {
    case Qt::Key_Left:
        moveFocus(0, -1);
        break;
    case Qt::Key_Right:
        moveFocus(0, 1);
        break;
    case Qt::Key_Up:
        moveFocus(-SlotCount / 2, 0);
        break;
    case Qt::Key_Down:
        moveFocus(SlotCount / 2, 0);
        break;
    case Qt::Key_PageUp:
        page(false);
        break;
    case Qt::Key_PageDown:
        page(true);
        break;
    default:
        QFrame::keyPressEvent(event);
        return;
    }
    event->accept();
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
    painter.drawText(QRect(m_closeButton->width() + 3, 0, width() - m_closeButton->width() - 6, px(120)),
                     Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("Select Icon"));
}
