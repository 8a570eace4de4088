#include "PlotScene.h"

#include "IconItem.h"
#include "NoteItem.h"


namespace {
// 2^10 leaves: 32 x 32, some 60 x 50 pixels each on a 2000 x 1500 background.
constexpr int kIndexDepth = 10;
} // namespace

PlotScene::PlotScene(const PlotDocument &document, IconPicture iconPicture, QObject *parent)
    : QGraphicsScene(parent)
    , m_document(document)
    , m_iconPicture(std::move(iconPicture))
{
    // The scene's index of places: by default its depth follows the number
    // of elements, and at thousands of them the leaves become smaller than
    // a note, which then sits in a hundred leaves and more. A fixed depth
    // keeps the leaves near an element's size on a background of a few
    // thousand pixels across.
    setBspTreeDepth(kIndexDepth);
    m_icons.append(nullptr);
    m_notes.append(nullptr);
}

void PlotScene::mirrorDocument()
{
    makeItems();
    connect(&m_document, &PlotDocument::elementAdded, this, &PlotScene::addElement,
            Qt::UniqueConnection);
    connect(&m_document, &PlotDocument::elementChanged, this,
            [this](ElementKind kind, int n) { mirror(kind, n); });
    connect(&m_document, &PlotDocument::reloaded, this, &PlotScene::rebuild,
            Qt::UniqueConnection);
}

void PlotScene::rebuild()
{
    clear();
    m_icons = {nullptr};
    m_notes = {nullptr};
    // A table read again may hold fewer elements than the one it replaces.
    m_order.clear();
    m_itemsAdded = 0;
    makeItems();
}

void PlotScene::makeItems()
{
    const int icons = m_document.count(ElementKind::Icon);
    const int notes = m_document.count(ElementKind::Note);
    m_icons.reserve(icons + 1);
    m_notes.reserve(notes + 1);
    m_order.reserve(icons + notes);
    for (int n = m_icons.size(); n <= icons; ++n)
        addElement(ElementKind::Icon, n);
    for (int n = m_notes.size(); n <= notes; ++n)
        addElement(ElementKind::Note, n);
    // The whole picture is new: one update of all of it, rather than the
    // views gathering every new element's place into one region, which at
    // tens of thousands of elements takes longer than painting them.
    update();
}

ElementItem *PlotScene::item(ElementKind kind, int n) const
{
    if (kind == ElementKind::Icon)
        return m_icons.value(n);
    return m_notes.value(n);
}

void PlotScene::addElement(ElementKind kind, int n)
{
    ElementItem *item;
    if (kind == ElementKind::Icon) {
        auto *icon = new IconItem(n);
        m_icons.append(icon);
        item = icon;
    } else {
        auto *note = new NoteItem(n);
        m_notes.append(note);
        item = note;
    }
    mirror(kind, n);
    // Items are only ever added on top, so the order in which they were
    // added is the order in which they stack.
    item->setStackOrder(++m_itemsAdded);
    m_order.append({kind, n});
    addItem(item);
}

void PlotScene::mirror(ElementKind kind, int n)
{
    const PlotElement &element = m_document.element(kind, n);
    if (kind == ElementKind::Icon) {
        m_icons[n]->mirror(element, element.pictureKey.isEmpty() ? QPixmap()
                                                                 : m_iconPicture(element.pictureKey));
    } else {
        m_notes[n]->mirror(element);
    }
}
