#include "BenchProgramFolder.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QRandomGenerator>

namespace {

constexpr int kIconPixels = 24;
constexpr int kTwipsPerPixel = 15;
// The note template's 1335 x 975 twips.
const QSize kNotePixels(89, 65);

// Texts of about twenty characters, a few with letters of the Western code
// page, as tables written in the field have them.
const char *const kIconWords[] = {"Mooring post", "Fuel pump", "Slipway", "Harbour crane",
                                  "Caf\xe9 kiosk", "Fire hydrant", "Gate", "Buoy"};
const char *const kNoteWords[] = {"Check depth at", "Paint rail near", "Na\xefve sketch of",
                                  "Lamp out by", "Meet crew at", "Count crates in"};

// " 1440 " for a whole number of twips, " 1440.5 " for a half.
QByteArray twipsLine(int pixels, bool half)
{
    QByteArray line = ' ' + QByteArray::number(pixels * kTwipsPerPixel);
    if (half)
        line += ".5";
    return line + ' ';
}

void appendLine(QByteArray &out, const QByteArray &line)
{
    out += line;
    out += "\r\n";
}

} // namespace

BenchProgramFolder::BenchProgramFolder(const BenchSizes &sizes)
    : m_sizes(sizes)
    , m_clearing(24, 24, 240, 160)
{
    if (!m_dir.isValid())
        return;
    for (const char *folder : {"Plot Tables", "Plot Templates", "Icons"})
        QDir(path()).mkpath(QString::fromLatin1(folder));

    QImage background(sizes.background, QImage::Format_RGB32);
    QPainter painter(&background);
    QLinearGradient gradient(0, 0, sizes.background.width(), sizes.background.height());
    gradient.setColorAt(0.0, QColor(180, 210, 230));
    gradient.setColorAt(1.0, QColor(90, 140, 110));
    painter.fillRect(background.rect(), gradient);
    painter.setPen(QColor(60, 60, 60));
    for (int x = 0; x < sizes.background.width(); x += 100)
        painter.drawLine(x, 0, x, sizes.background.height());
    for (int y = 0; y < sizes.background.height(); y += 100)
        painter.drawLine(0, y, sizes.background.width(), y);
    painter.end();
    writePicture(QStringLiteral("Plot Templates/bg.jpg"), background);

    writeIconSet(countedSetName(), sizes.countedSet);
    writeIconSet(pagedSetName(), sizes.pagedSet);

    m_largeTable = makeLargeTable();
    writeBytes(QStringLiteral("Plot Tables/Large.plt"), m_largeTable);
    writeBytes(QStringLiteral("Plot Tables/Typical.plt"), makeTypicalTable());
}

void BenchProgramFolder::writePicture(const QString &relative, const QImage &image) const
{
    const QString target = file(relative);
    QDir().mkpath(QFileInfo(target).absolutePath());
    image.save(target, "JPG");
}

void BenchProgramFolder::writeIconSet(const QString &set, int count) const
{
    QImage image(kIconPixels, kIconPixels, QImage::Format_RGB32);
    for (int n = 1; n <= count; ++n) {
        image.fill(QColor::fromHsv((n * 37) % 360, 120 + (n * 13) % 120, 150 + (n * 7) % 100));
        // A mark whose place changes with the number keeps pictures apart.
        image.setPixel(n % kIconPixels, (n / kIconPixels) % kIconPixels, qRgb(0, 0, 0));
        writePicture(QStringLiteral("Icons/%1/icon_%2.jpg").arg(set).arg(n), image);
    }
}

QByteArray BenchProgramFolder::makeLargeTable() const
{
    QRandomGenerator random(20240611);
    const QSize area = m_sizes.background;
    QByteArray out;
    out.reserve(48 * (m_sizes.icons + m_sizes.notes) + 64);
    appendLine(out, "bg.jpg");
    appendLine(out, countedSetName().toLatin1());
    for (int k = 1; k <= m_sizes.icons; ++k) {
        const QByteArray word = kIconWords[random.bounded(int(std::size(kIconWords)))];
        appendLine(out, word + " No. " + QByteArray::number(k));
        appendLine(out, ' ' + QByteArray::number(1 + random.bounded(m_sizes.pictureKinds)) + ' ');
        appendLine(out, twipsLine(random.bounded(area.height() - kIconPixels), k % 16 == 0));
        appendLine(out, twipsLine(random.bounded(area.width() - kIconPixels), k % 16 == 8));
    }
    appendLine(out, "[Notes]");
    for (int k = 1; k <= m_sizes.notes; ++k) {
        QRect box;
        do {
            box = QRect(QPoint(random.bounded(area.width() - kNotePixels.width()),
                               random.bounded(area.height() - kNotePixels.height())),
                        kNotePixels);
        } while (box.intersects(m_clearing));
        const QByteArray word = kNoteWords[random.bounded(int(std::size(kNoteWords)))];
        appendLine(out, word + " bay " + QByteArray::number(k % 400));
        appendLine(out, "-1 ");
        appendLine(out, twipsLine(box.top(), false));
        appendLine(out, twipsLine(box.left(), k % 16 == 4));
    }
    appendLine(out, "[End]");
    return out;
}

QByteArray BenchProgramFolder::makeTypicalTable() const
{
    QRandomGenerator random(7);
    const QSize area = m_sizes.background;
    QByteArray out;
    appendLine(out, "bg.jpg");
    appendLine(out, pagedSetName().toLatin1());
    for (int k = 1; k <= 300; ++k) {
        appendLine(out, "Marker " + QByteArray::number(k));
        appendLine(out, ' ' + QByteArray::number(1 + random.bounded(m_sizes.pagedSet)) + ' ');
        appendLine(out, twipsLine(random.bounded(area.height() - kIconPixels), false));
        appendLine(out, twipsLine(random.bounded(area.width() - kIconPixels), false));
    }
    appendLine(out, "[Notes]");
    for (int k = 1; k <= 60; ++k) {
        appendLine(out, "Remember bay " + QByteArray::number(k));
        appendLine(out, "-1 ");
        appendLine(out, twipsLine(random.bounded(area.height() - kNotePixels.height()), false));
        appendLine(out, twipsLine(random.bounded(area.width() - kNotePixels.width()), false));
    }
    appendLine(out, "[End]");
    return out;
}

void BenchProgramFolder::writeBytes(const QString &relative, const QByteArray &bytes) const
{
    QFile out(file(relative));
    if (out.open(QIODevice::WriteOnly))
        out.write(bytes);
}
