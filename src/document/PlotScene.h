#pragma once

#include "PlotDocument.h"

#include <QGraphicsScene>
#include <QPixmap>
#include <QVector>

#include <functional>

class ElementItem;
class IconItem;
class NoteItem;

// The scene of one table: an item for every element of its document, in
// scene pixels. Items only mirror the document; the scene makes and
// updates them as the document says what changed.
class PlotScene : public QGraphicsScene
{
    Q_OBJECT
public:
    // The picture of an icon by its picture key; null when there is none.
    using IconPicture = std::function<QPixmap(const QString &pictureKey)>;

    PlotScene(const PlotDocument &document, IconPicture iconPicture, QObject *parent = nullptr);

    // Makes the items of every element the document holds so far and
    // follows the document from then on.
    void mirrorDocument();

    ElementItem *item(ElementKind kind, int n) const;
    IconItem *iconItem(int n) const { return m_icons.value(n); }
    NoteItem *noteItem(int n) const { return m_notes.value(n); }

private:
    void makeItems();
    // The document holds another table: every item is made again.
    void rebuild();
    void addElement(ElementKind kind, int n);
    void mirror(ElementKind kind, int n);

    const PlotDocument &m_document;
    IconPicture m_iconPicture;
    QVector<IconItem *> m_icons; // by element number; 0 is unused
    QVector<NoteItem *> m_notes;
    qint64 m_itemsAdded = 0;
};
