#pragma once

#include <QColor>
#include <QPen>

class QPainter;

// One drawing function per BasicSet symbol. Each draws into a 24 x 24
// coordinate box on an already prepared tile; MapSymbols keeps the order in
// which they become icon_1 ... icon_30.
namespace SymbolPainters {

// The dark outline every symbol is drawn with, so that it reads on both the
// pale chart and the plan.
inline QColor ink() { return QColor(28, 32, 40); }
inline QPen outline(qreal width = 1.2)
{
    return QPen(ink(), width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
}

// Sea and harbour (NauticalSymbols.cpp)
void anchor(QPainter &painter);
void buoy(QPainter &painter);
void lighthouse(QPainter &painter);
void flag(QPainter &painter);
void ship(QPainter &painter);
void sailingBoat(QPainter &painter);
void fish(QPainter &painter);

// Land, vehicles and people (LandSymbols.cpp)
void house(QPainter &painter);
void tent(QPainter &painter);
void tree(QPainter &painter);
void fuelDrop(QPainter &painter);
void campfire(QPainter &painter);
void radioMast(QPainter &painter);
void car(QPainter &painter);
void truck(QPainter &painter);
void helicopter(QPainter &painter);
void person(QPainter &painter);
void group(QPainter &painter);

// Plain shapes, arrows and signs (ShapeSymbols.cpp)
void firstAid(QPainter &painter);
void star(QPainter &painter);
void triangle(QPainter &painter);
void circle(QPainter &painter);
void square(QPainter &painter);
void diamond(QPainter &painter);
void arrowUp(QPainter &painter);
void arrowDown(QPainter &painter);
void arrowLeft(QPainter &painter);
void arrowRight(QPainter &painter);
void warning(QPainter &painter);
void skull(QPainter &painter);

} // namespace SymbolPainters
