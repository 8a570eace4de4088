#include "HarbourChart.h"

#include "AssetCanvas.h"
#include "ChartNotation.h"

#include <QPainter>
#include <QPainterPath>
#include <QPainterPathStroker>

namespace {

constexpr int chartWidth = 900;
constexpr int chartHeight = 600;

// Chart colours: buff land, white deep water and deepening blues towards
// the shore, as on a printed chart.
const QColor deepWater(246, 250, 253);
const QColor landBuff(242, 230, 192);
const QColor coastInk(92, 78, 52);
const QColor contourInk(110, 150, 190);
const QColor soundingInk(60, 70, 90);

QPainterPath mainland()
{
    // Runs past the picture edges so that stroking the outline for the
    // depth bands leaves no seams along the border.
    QPainterPath path;
    path.moveTo(-60, -60);
    path.lineTo(960, -60);
    path.lineTo(960, 372);
    path.cubicTo(890, 372, 850, 330, 815, 285);   // east headland
    path.cubicTo(785, 248, 745, 212, 700, 192);
    path.lineTo(690, 168);                          // quay wall starts
    path.lineTo(300, 168);
    path.lineTo(286, 186);
    path.cubicTo(240, 205, 205, 222, 168, 246);    // west shore
    path.cubicTo(120, 278, 70, 290, -60, 296);
    path.closeSubpath();
    return path;
}

QPainterPath island()
{
    QPainterPath path;
    path.moveTo(118, 470);
    path.cubicTo(120, 440, 165, 428, 200, 438);
    path.cubicTo(240, 448, 252, 470, 236, 490);
    path.cubicTo(220, 510, 170, 512, 140, 502);
    path.cubicTo(122, 495, 116, 484, 118, 470);
    return path;
}

// Depth bands parallel to the coast: the shore outline stroked wide and then
// ever narrower in darker blues. Land is painted over the inner halves later.
void paintDepthBands(QPainter &painter, const QPainterPath &coast)
{
    struct Band { qreal halfWidth; QColor fill; };
    const Band bands[] = {
        {96, QColor(228, 240, 249)},   // 20 m line
        {58, QColor(211, 230, 245)},   // 10 m line
        {26, QColor(190, 218, 240)},   // 5 m line
    };
    QPainterPathStroker stroker;
    stroker.setJoinStyle(Qt::RoundJoin);
    stroker.setCapStyle(Qt::RoundCap);
    for (const Band &band : bands) {
        stroker.setWidth(band.halfWidth * 2);
        const QPainterPath area = stroker.createStroke(coast).simplified();
        painter.fillPath(area, band.fill);
        painter.strokePath(area, QPen(contourInk, 0.8, Qt::DashLine));
    }
}

void paintGraticule(QPainter &painter)
{
    painter.setPen(QPen(QColor(120, 140, 165, 70), 1));
    for (int x = 100; x < chartWidth; x += 100)
        painter.drawLine(QPointF(x + 0.5, 0), QPointF(x + 0.5, chartHeight));
    for (int y = 100; y < chartHeight; y += 100)
        painter.drawLine(QPointF(0, y + 0.5), QPointF(chartWidth, y + 0.5));
}

void paintLand(QPainter &painter, const QPainterPath &land)
{
    painter.fillPath(land, landBuff);
    painter.strokePath(land, QPen(coastInk, 1.6));

    // A low hill behind the town, shown by a few faint form lines.
    painter.setPen(QPen(QColor(190, 160, 110), 0.9));
    painter.setBrush(Qt::NoBrush);
    for (int ring = 0; ring < 3; ++ring)
        painter.drawEllipse(QPointF(800, 80), 70 - ring * 22, 40 - ring * 13);
}

void paintTown(QPainter &painter)
{
    // Roads first, then blocks of buildings between them.
    QPen road(QColor(255, 252, 240), 7, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
    QPen roadEdge(QColor(170, 150, 110), 9, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
    QPainterPath roads;
    roads.moveTo(250, 150);
    roads.lineTo(720, 150);                  // harbour road behind the quay
    roads.moveTo(420, 150);
    roads.lineTo(420, 0);
    roads.moveTo(600, 150);
    roads.cubicTo(640, 100, 700, 70, 760, 0);
    roads.moveTo(250, 150);
    roads.cubicTo(180, 150, 80, 200, 0, 220);
    painter.strokePath(roads, roadEdge);
    painter.strokePath(roads, road);

    const QRectF blocks[] = {
        {300, 96, 44, 40}, {352, 100, 56, 36}, {432, 96, 60, 40}, {500, 108, 40, 28},
        {300, 40, 52, 44}, {362, 30, 46, 56}, {432, 40, 58, 44}, {500, 52, 50, 42},
        {560, 112, 40, 26}, {640, 118, 40, 22},
    };
    painter.setPen(QPen(QColor(150, 125, 85), 1));
    painter.setBrush(QColor(222, 200, 150));
    for (const QRectF &block : blocks)
        painter.drawRect(block);

    // The church, a landmark from seaward: a filled square with a cross.
    painter.setBrush(QColor(150, 125, 85));
    painter.drawRect(QRectF(268, 116, 12, 12));
    painter.setPen(QPen(QColor(110, 85, 50), 1.6));
    painter.drawLine(QPointF(274, 102), QPointF(274, 114));
    painter.drawLine(QPointF(269, 107), QPointF(279, 107));

    // Woodland on the western slope: small tree rings.
    const QPointF trees[] = {
        {40, 36},  {64, 28},  {88, 42},  {52, 58},  {78, 64},  {104, 56},
        {28, 70},  {126, 34}, {148, 52}, {34, 158}, {60, 166}, {86, 160},
    };
    painter.setPen(QPen(QColor(120, 150, 90), 1));
    painter.setBrush(QColor(214, 222, 170));
    for (const QPointF &tree : trees)
        painter.drawEllipse(tree, 7, 7);
}

// The leading line into the entrance, with its bearing from seaward.
void paintLeadingLine(QPainter &painter)
{
    const QPointF entrance(537, 326);
    const QPointF offing(552, 590);
    painter.setPen(QPen(QColor(40, 40, 40), 1.1, Qt::DashDotLine));
    painter.drawLine(entrance, offing);
    painter.save();
    painter.translate(548, 520);
    painter.rotate(-93.3);
    painter.setFont(AssetCanvas::pixelFont(10));
    painter.setPen(QColor(40, 40, 40));
    painter.drawText(QPointF(0, -4), QStringLiteral("Leading line 357\u00B0"));
    painter.restore();
}

// Quays, piers and the two breakwaters that enclose the basin.
void paintHarbourWorks(QPainter &painter)
{
    const QColor concrete(206, 204, 198);
    const QPen concreteEdge(QColor(70, 70, 70), 1.2);

    QPainterPath piers;
    piers.addRect(352, 166, 18, 72);                // fish quay
    piers.addRect(470, 166, 18, 84);                // ferry pier with T head
    piers.addRect(436, 248, 86, 14);
    piers.addRect(584, 166, 18, 62);                // yacht pier
    piers.addRect(300, 166, 390, 8);                // quay apron
    painter.setPen(concreteEdge);
    painter.setBrush(concrete);
    painter.drawPath(piers.simplified());

    // Pontoons for small craft beside the yacht pier.
    painter.setPen(QPen(QColor(90, 90, 90), 2));
    for (int y = 186; y <= 218; y += 10)
        painter.drawLine(QPointF(602, y), QPointF(626, y));

    // Breakwaters: rubble mounds drawn as a dark rim with a stone core.
    QPainterPath east;
    east.moveTo(822, 296);
    east.quadTo(730, 336, 612, 334);
    QPainterPath west;
    west.moveTo(236, 212);
    west.quadTo(330, 292, 462, 306);
    for (const QPainterPath &mole : {east, west}) {
        painter.strokePath(mole, QPen(QColor(80, 76, 70), 13, Qt::SolidLine, Qt::RoundCap));
        painter.strokePath(mole, QPen(QColor(176, 170, 160), 10, Qt::SolidLine, Qt::RoundCap));
        painter.strokePath(mole, QPen(QColor(120, 114, 104), 2, Qt::DotLine, Qt::RoundCap));
    }
}

void paintSoundings(QPainter &painter)
{
    struct Sounding { int x, y; const char *depth; };
    const Sounding soundings[] = {
        {400, 210, "4"},  {540, 200, "5"},  {640, 250, "5"},  {420, 280, "6"},
        {560, 296, "7"},  {700, 300, "6"},  {512, 360, "9"},  {640, 390, "11"},
        {760, 400, "9"},  {862, 430, "12"}, {400, 376, "11"}, {300, 350, "8"},
        {180, 330, "6"},  {70, 360, "7"},   {60, 440, "9"},   {300, 456, "13"},
        {430, 470, "16"}, {600, 450, "18"}, {668, 500, "21"}, {840, 520, "24"},
        {610, 548, "23"}, {370, 540, "19"}, {90, 540, "12"},  {250, 410, "10"},
        {820, 360, "7"},  {500, 510, "17"},
    };
    painter.setFont(AssetCanvas::pixelFont(11, QFont::Normal, true));
    painter.setPen(soundingInk);
    for (const Sounding &s : soundings)
        AssetCanvas::drawCentredText(painter, QPointF(s.x, s.y), QString::fromLatin1(s.depth));

    // Rocks awash off the island.
    for (const QPointF &rock : {QPointF(262, 500), QPointF(100, 420), QPointF(274, 462)})
        ChartNotation::paintRock(painter, rock, soundingInk);
}

void paintSpacedText(QPainter &painter, const QPointF &centre, const QString &text,
                     const QFont &font, const QColor &colour, qreal spacing)
{
    QFont spaced = font;
    spaced.setLetterSpacing(QFont::AbsoluteSpacing, spacing);
    painter.setFont(spaced);
    painter.setPen(colour);
    AssetCanvas::drawCentredText(painter, centre, text);
}

void paintLabels(QPainter &painter)
{
    const QColor seaInk(40, 90, 150);
    const QColor landInk(110, 80, 40);
    paintSpacedText(painter, QPointF(150, 112), QStringLiteral("QUENBRACK"),
                    AssetCanvas::pixelFont(20, QFont::Bold), landInk, 4);
    paintSpacedText(painter, QPointF(390, 420), QStringLiteral("OUTER ROADS"),
                    AssetCanvas::pixelFont(16, QFont::Normal, true), seaInk, 5);
    paintSpacedText(painter, QPointF(530, 222), QStringLiteral("North Basin"),
                    AssetCanvas::pixelFont(12, QFont::Normal, true), seaInk, 1);
    paintSpacedText(painter, QPointF(177, 472), QStringLiteral("Gull Isle"),
                    AssetCanvas::pixelFont(11, QFont::Bold), landInk, 1);
    paintSpacedText(painter, QPointF(800, 90), QStringLiteral("Signal Hill"),
                    AssetCanvas::pixelFont(11, QFont::Normal, true), landInk, 0.5);

    const QFont small = AssetCanvas::pixelFont(10);
    painter.setFont(small);
    painter.setPen(QColor(60, 60, 60));
    painter.drawText(QPointF(322, 252), QStringLiteral("Fish Quay"));
    painter.drawText(QPointF(452, 276), QStringLiteral("Ferry Pier"));
    painter.drawText(QPointF(606, 244), QStringLiteral("Marina"));

    // Breakwater names follow the line of the mole.
    painter.save();
    painter.translate(774, 324);
    painter.rotate(-9);
    painter.drawText(QPointF(-40, 16), QStringLiteral("East Breakwater"));
    painter.restore();
    painter.save();
    painter.translate(320, 276);
    painter.rotate(30);
    painter.drawText(QPointF(-36, 16), QStringLiteral("West Mole"));
    painter.restore();
}

void paintScaleAndTitle(QPainter &painter)
{
    // Scale bar, 200 m in four alternating parts.
    const QPointF origin(40, 568);
    painter.setPen(QPen(Qt::black, 1));
    for (int part = 0; part < 4; ++part) {
        painter.setBrush(part % 2 ? Qt::white : Qt::black);
        painter.drawRect(QRectF(origin.x() + part * 30, origin.y(), 30, 5));
    }
    painter.setFont(AssetCanvas::pixelFont(9));
    painter.drawText(QPointF(origin.x() - 2, origin.y() - 4), QStringLiteral("0"));
    painter.drawText(QPointF(origin.x() + 112, origin.y() - 4), QStringLiteral("200 m"));

    // Title cartouche in the open sea of the bottom right corner.
    const QRectF box(672, 532, 206, 48);
    painter.setPen(QPen(QColor(50, 50, 50), 1));
    painter.setBrush(QColor(255, 255, 255, 225));
    painter.drawRect(box);
    painter.drawRect(box.adjusted(3, 3, -3, -3));
    painter.setPen(QColor(30, 30, 30));
    painter.setFont(AssetCanvas::pixelFont(13, QFont::Bold));
    painter.drawText(box.adjusted(0, 6, 0, -22), Qt::AlignHCenter | Qt::AlignTop,
                     QStringLiteral("QUENBRACK HARBOUR"));
    painter.setFont(AssetCanvas::pixelFont(9, QFont::Normal, true));
    painter.drawText(box.adjusted(0, 26, 0, -6), Qt::AlignHCenter | Qt::AlignTop,
                     QStringLiteral("Soundings in metres"));
}

} // namespace

namespace HarbourChart {

QImage draw()
{
    QImage image = AssetCanvas::opaqueImage(chartWidth, chartHeight, deepWater);
    QPainter painter(&image);
    AssetCanvas::prepare(painter);

    QPainterPath land = mainland();
    land.addPath(island());
    paintDepthBands(painter, land);
    paintGraticule(painter);
    paintLand(painter, land);
    paintTown(painter);
    paintHarbourWorks(painter);
    ChartNotation::paintLight(painter, QPointF(612, 334), 120,
                              QStringLiteral("Fl(2) 10s 14m 12M"), QPointF(622, 358));
    ChartNotation::paintLight(painter, QPointF(462, 306), 200, QStringLiteral("Fl.G 3s"),
                              QPointF(400, 326));
    paintSoundings(painter);
    ChartNotation::paintAnchorage(painter, QPointF(760, 462));
    paintLeadingLine(painter);
    paintLabels(painter);
    paintScaleAndTitle(painter);
    ChartNotation::paintNeatline(painter, image.rect());
    return image;
}

} // namespace HarbourChart
