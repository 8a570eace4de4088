// quenbrack-assets <programFolder> <resourceFolder>
//
// Draws every picture that ships with Quenbrack and writes it below the two
// folders given: the plot templates and icon sets go next to the program,
// where users may add their own; the compass, note and application icon go
// with the program's other resources.

#include "CompassRose.h"
#include "Decorations.h"
#include "FloorPlan.h"
#include "HarbourChart.h"
#include "MapSymbols.h"
#include "Markers.h"

#include <QByteArray>
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QImage>
#include <QImageWriter>
#include <QString>

#include <cstdio>
#include <vector>

namespace {

// JPEG quality for every shipped JPEG: high enough that thin chart lines
// and the small icons keep clean edges, low enough to stay small.
constexpr int jpegQuality = 90;

struct OutputPicture
{
    QString path;
    QImage image;
    QByteArray format;
};

void printError(const QString &message)
{
    std::fprintf(stderr, "quenbrack-assets: %s\n", qPrintable(message));
}

std::vector<OutputPicture> drawAll(const QDir &program, const QDir &resources)
{
    std::vector<OutputPicture> pictures;
    const QByteArray jpeg("jpg");

    const QDir templates(program.filePath(QStringLiteral("Plot Templates")));
    pictures.push_back({templates.filePath(QStringLiteral("harbour.jpg")),
                        HarbourChart::draw(), jpeg});
    pictures.push_back({templates.filePath(QStringLiteral("floorplan.jpg")),
                        FloorPlan::draw(), jpeg});

    const QDir basicSet(program.filePath(QStringLiteral("Icons/BasicSet")));
    for (int number = 1; number <= MapSymbols::count(); ++number)
        pictures.push_back({basicSet.filePath(QStringLiteral("icon_%1.jpg").arg(number)),
                            MapSymbols::draw(number), jpeg});

    const QDir markers(program.filePath(QStringLiteral("Icons/Markers")));
    for (int number = 1; number <= Markers::count(); ++number)
        pictures.push_back({markers.filePath(QStringLiteral("icon_%1.jpg").arg(number)),
                            Markers::draw(number), jpeg});

    pictures.push_back({resources.filePath(QStringLiteral("compass.jpg")),
                        CompassRose::draw(), jpeg});
    pictures.push_back({resources.filePath(QStringLiteral("note.jpg")),
                        Decorations::drawNote(), jpeg});
    pictures.push_back({resources.filePath(QStringLiteral("appicon.png")),
                        Decorations::drawAppIcon(), QByteArray("png")});
    pictures.push_back({resources.filePath(QStringLiteral("about.png")),
                        Decorations::drawAboutBadge(), QByteArray("png")});
    return pictures;
}

// Writes one picture, creating its folder first. Returns false (after
// saying why on stderr) when the file could not be written.
bool writePicture(const OutputPicture &picture)
{
    const QString folder = QFileInfo(picture.path).absolutePath();
    if (!QDir().mkpath(folder)) {
        printError(QStringLiteral("cannot write \"%1\": cannot create folder \"%2\"")
                       .arg(picture.path, folder));
        return false;
    }
    QImageWriter writer(picture.path, picture.format);
    if (picture.format == "jpg")
        writer.setQuality(jpegQuality);
    if (!writer.write(picture.image)) {
        printError(QStringLiteral("cannot write \"%1\": %2")
                       .arg(picture.path, writer.errorString()));
        return false;
    }
    return true;
}

} // namespace

int main(int argc, char *argv[])
{
    // Fonts need a platform plugin; the offscreen one works without a
    // display, which is what a build machine has.
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication application(argc, argv);

    const QStringList arguments = QGuiApplication::arguments();
    if (arguments.size() != 3) {
        std::fprintf(stderr, "usage: quenbrack-assets <programFolder> <resourceFolder>\n");
        return 2;
    }
    const QDir program(arguments.at(1));
    const QDir resources(arguments.at(2));

    // Keep going after a failure so that one run reports every file that
    // could not be written.
    bool allWritten = true;
    for (const OutputPicture &picture : drawAll(program, resources))
        allWritten = writePicture(picture) && allWritten;
    return allWritten ? 0 : 1;
}
