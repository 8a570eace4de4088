#include "MapSymbols.h"

#include "AssetCanvas.h"
#include "SymbolPainters.h"

#include <QPainter>

#include <iterator>

namespace {

using SymbolPainter = void (*)(QPainter &);

// The order here is the icon numbering that plot files refer to, so new
// symbols go at the end.
const SymbolPainter symbolPainters[] = {
    SymbolPainters::anchor,     SymbolPainters::buoy,      SymbolPainters::lighthouse,
    SymbolPainters::flag,       SymbolPainters::ship,      SymbolPainters::sailingBoat,
    SymbolPainters::house,      SymbolPainters::tent,      SymbolPainters::tree,
    SymbolPainters::firstAid,   SymbolPainters::star,      SymbolPainters::triangle,
    SymbolPainters::circle,     SymbolPainters::square,    SymbolPainters::diamond,
    SymbolPainters::arrowUp,    SymbolPainters::arrowDown, SymbolPainters::arrowLeft,
    SymbolPainters::arrowRight, SymbolPainters::fuelDrop,  SymbolPainters::campfire,
    SymbolPainters::radioMast,  SymbolPainters::car,       SymbolPainters::truck,
    SymbolPainters::helicopter, SymbolPainters::person,    SymbolPainters::group,
    SymbolPainters::warning,    SymbolPainters::skull,     SymbolPainters::fish,
};

constexpr int tileSize = 24;

// A white tile with a thin grey frame: it keeps the symbol readable on dark
// sea tints and busy plans alike.
void paintTile(QPainter &painter)
{
    painter.setPen(QPen(QColor(150, 156, 164), 1));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(QRectF(0.5, 0.5, tileSize - 1, tileSize - 1));
}

} // namespace

namespace MapSymbols {

int count()
{
    return int(std::size(symbolPainters));
}

QImage draw(int number)
{
    QImage image = AssetCanvas::opaqueImage(tileSize, tileSize, Qt::white);
    if (number < 1 || number > count())
        return image;
    QPainter painter(&image);
    AssetCanvas::prepare(painter);
    paintTile(painter);
    painter.save();
    symbolPainters[number - 1](painter);
    painter.restore();
    return image;
}

} // namespace MapSymbols
