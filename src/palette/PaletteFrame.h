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
// From the keyboard: the arrow keys go from slot to slot (and on to the
// note picture and the buttons), Page Up and Page Down page the set, Enter
// chooses; Tab goes round the palette without leaving it.
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
    void showPage(qint16 first);


    // Slot k (1..10), in reading order.
    ClickableImage *slot(int k) const { return m_slots[size_t(k - 1)]; }
    QScrollBar *pageScrollBar() const { return m_pageScrollBar; }
    ClickableImage *notePicture() const { return m_notePicture; }
    QPushButton *closeButton() const { return m_closeButton; }
    QPushButton *findButton() const { return m_findButton; }
    QPushButton *pasteButton() const { return m_pasteButton; }
    QPushButton *snapshotButton() const { return m_snapshotButton; }
    qint16 iconSetCount() const { return m_iconSetCount; }

    // Gives the focus to the first slot that shows an icon, or else to the
    // note picture.
    void focusFirstSlot();

signals:
    // A slot was clicked: the icon number it shows.
    void iconChosen(qint16 iconNumber);
    // The note picture was clicked.
    void noteChosen();

protected:
    void paintEvent(QPaintEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    bool focusNextPrevChild(bool next) override;

private:
    // What the keyboard reaches, in order: the slots that show an icon,
    // the note picture, the buttons.
    QList<QWidget *> keyboardOrder() const;
    void moveFocus(int slotStep, int orderStep);
    void page(bool forward);

    QPushButton *makeButton(const QString &caption, int left, int top, int width, int height);

    std::array<ClickableImage *, SlotCount> m_slots;
    QScrollBar *m_pageScrollBar;
    ClickableImage *m_notePicture;
    QPushButton *m_closeButton;
    QPushButton *m_findButton;
    QPushButton *m_pasteButton;
    QPushButton *m_snapshotButton;
    qint16 m_iconSetCount = 0;
    IconPicture m_iconPicture;
};
