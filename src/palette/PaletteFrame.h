#pragma once

#include <QFrame>

#include <array>
#include <functional>

class ClickableImage;
class QPushButton;
class QScrollBar;

// The palette "Select Icon" of a document window: ten slots paging through
// the window's icon set, the note picture, and the buttons X, Find, Paste
// and Save Snapshot. It reports choices; placing is not its business.
class PaletteFrame : public QFrame
{
    Q_OBJECT
public:
    static constexpr int SlotCount = 10;
    using IconPicture = std::function<QPixmap(qint32 iconNumber)>;

    explicit PaletteFrame(QWidget *parent = nullptr);

    // Where the slots get icon n's picture (null when it cannot be loaded).
    void setIconPicture(IconPicture picture) { m_iconPicture = std::move(picture); }

    // The set's size bounds the scroll bar: icons 1 to count.
    void setIconSetCount(qint16 count);

    // Fills slot k with icon first + k - 1 while that is an icon of the
    // set, and hides the slots past the set's end.
    void RefreshPalette(qint16 first);

    // Slot k (1..10): Image3 is slot 1, Image4..Image12 slots 2..10.
    ClickableImage *slot(int k) const { return m_slots[size_t(k - 1)]; }

    ClickableImage *Image3, *Image4, *Image5, *Image6, *Image7;
    ClickableImage *Image8, *Image9, *Image10, *Image11, *Image12;
    QScrollBar *HScroll1;
    ClickableImage *Image13;
    QPushButton *Command1;
    QPushButton *Command8;
    QPushButton *Command5;
    QPushButton *Command2;

signals:
    // A slot was clicked: the icon number it shows.
    void iconChosen(qint16 iconNumber);
    // The note picture was clicked.
    void noteChosen();

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QPushButton *makeButton(const QString &caption, int left, int top, int width, int height);

    std::array<ClickableImage *, SlotCount> m_slots;
    qint16 m_iconSetCount = 0;
    IconPicture m_iconPicture;
};
