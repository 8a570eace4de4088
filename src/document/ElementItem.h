#pragma once

#include <QGraphicsItem>

// What icons and notes on the document's scene have in common. An item
// holds no document state of its own; its subclass mirrors one element.
//
// An element being carried is "lifted": the scene keeps its place but
// treats it as hidden, and the view draws it in its stacking place over
// the scene. Each move of a shown item makes the scene visit every one of
// its tens of thousands of items before painting; a hidden one moves for
// the cost of its own index entry.
class ElementItem : public QGraphicsItem
{
public:
    enum Kind { Icon = UserType + 1, Note = UserType + 2 };

    ElementItem(Kind kind, int elementNumber);

    int type() const override { return m_kind; }
    Kind kind() const { return m_kind; }
    int elementNumber() const { return m_elementNumber; }

    // Items are only ever added on top, so the order in which they were
    // added is the order in which they stack.
    qint64 stackOrder() const { return m_stackOrder; }
    void setStackOrder(qint64 order) { m_stackOrder = order; }

    // Whether the element is to be seen at all, lifted or not.
    bool isShown() const { return m_shown; }
    bool isLifted() const { return m_lifted; }
    void setLifted(bool lifted);

    // Set by the view for one paint in which the element lies entirely
    // under notes stacked above it: paint() then draws nothing.
    void setCovered(bool covered) { m_covered = covered; }
    bool isCovered() const { return m_covered; }

    QRectF boundingRect() const override { return QRectF(QPointF(0, 0), m_size); }

protected:
    // What mirror() calls: the element's size and place in pixels, and
    // whether it shows.
    void setGeometry(QPointF topLeft, QSizeF size);
    void setShown(bool shown);
    // Asks for the element to be painted again, lifted or not.
    void repaint();
    QVariant itemChange(GraphicsItemChange change, const QVariant &value) override;

private:
    void showAsState();
    void updateLiftedArea(const QRectF &sceneArea);
    void tellViews(const QRectF &sceneArea);

    Kind m_kind;
    int m_elementNumber;
    qint64 m_stackOrder = 0;
    bool m_shown = true;
    bool m_lifted = false;
    bool m_covered = false;
    QSizeF m_size;
};
