#pragma once

#include <QGraphicsItem>

struct PlotElement;

// One note on the document's scene: a pale yellow box with its text,
// word-wrapped. Like IconItem it only mirrors its element.
class NoteItem : public QGraphicsItem
{
public:
    enum { Type = UserType + 2 };

    explicit NoteItem(int elementNumber);

    void mirror(const PlotElement &element);

    int elementNumber() const { return m_elementNumber; }

    // Set by the view for one paint in which the element lies entirely
    // under notes stacked above it: paint() then draws nothing.
    void setCovered(bool covered) { m_covered = covered; }
    const QString &text() const { return m_text; }
    int type() const override { return Type; }
    QRectF boundingRect() const override;
    void paint(QPainter *painter, const QStyleOptionGraphicsItem *option,
               QWidget *widget) override;

private:
    int m_elementNumber;
    bool m_covered = false;
    QString m_text;
    QSizeF m_size;
};
