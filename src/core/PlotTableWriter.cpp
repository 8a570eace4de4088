#include "PlotTableWriter.h"

#include "OneLine.h"
#include "PlotNumber.h"
#include "PlotTextCodec.h"

#include <QFile>
#include <QFileInfo>
#include <QIODevice>
#include <QLocale>
#include <QSaveFile>

#include <algorithm>

#ifdef Q_OS_UNIX
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace {

const QString kLineEnd = QStringLiteral("\r\n");

void appendLine(QString &out, const QString &line)
{
    out += line;
    out += kLineEnd;
}

void appendRecords(QString &out, const ElementArray &elements, const QString &decimalPoint)
{
    for (int k = 1; k <= elements.count(); ++k) {
        const PlotElement &element = elements[k];
        if (!element.live)
            continue;
        appendLine(out, element.text);
        appendLine(out, PlotNumber::formatWhole(element.number));
        appendLine(out, PlotNumber::formatSingle(element.top, decimalPoint));
        appendLine(out, PlotNumber::formatSingle(element.left, decimalPoint));
    }
}

// Writes the table's bytes in Windows-1252 straight into bytes, the very
// bytes encode() makes of the table's text; false when some character has
// no byte there, or the bytes are not what encode() would keep. The lines
// are written in place, into room made ahead in large steps: a table has a
// hundred thousand lines and more.
bool encodeWindows1252(const PlotTable &table, const QString &decimalPoint, QByteArray *bytes)
{
    QByteArray point;
    if (!PlotTextCodec::appendWindows1252(decimalPoint, &point))
        return false;
    // A record's lines besides its text: four line ends, a number, two places.
    const qsizetype numbersRoom = 4 * 2 + 13 + 2 * (PlotNumber::kLongestSingle + point.size());
    bytes->resize(64 + 48 * (table.icons.count() + table.notes.count()));
    char *end = bytes->data();
    auto makeRoom = [&](qsizetype room) {
        const qsizetype used = end - bytes->constData();
        if (bytes->size() - used < room) {
            bytes->resize(std::max(used + room, 2 * bytes->size()));
            end = bytes->data() + used;
        }
    };
    auto endLine = [&] {
        *end++ = '\r';
        *end++ = '\n';
    };
    auto writeLine = [&](QStringView line) {
        makeRoom(line.size() + 2);
        end = PlotTextCodec::writeWindows1252(end, line);
        if (!end)
            return false;
        endLine();
        return true;
    };
    auto writeRecords = [&](const ElementArray &elements) {
        for (int k = 1; k <= elements.count(); ++k) {
            const PlotElement &element = elements[k];
            if (!element.live)
                continue;
            makeRoom(element.text.size() + numbersRoom);
            end = PlotTextCodec::writeWindows1252(end, element.text);
            if (!end)
                return false;
            endLine();
            end = PlotNumber::writeWhole(end, element.number);
            endLine();
            end = PlotNumber::writeSingle(end, element.top, point);
            endLine();
            end = PlotNumber::writeSingle(end, element.left, point);
            endLine();
        }
        return true;
    };
    const bool written = writeLine(table.backgroundName) && writeLine(table.iconSetName)
                         && writeRecords(table.icons) && writeLine(u"[Notes]")
                         && writeRecords(table.notes) && writeLine(u"[End]");
    if (!written)
        return false;
    bytes->resize(end - bytes->constData());
    return PlotTextCodec::keepsWindows1252(*bytes);
}

// A table written by another user than its owner (root, another member of
// a shared folder's group) stays its owner's, with its group and its mode:
// the new file would otherwise be the writer's. Where the platform refuses
// (only root gives a file away; a member may give it the group), the file
// keeps as much as it allows.
void keepOwnerAndMode(const QString &path, int handle)
{
#ifdef Q_OS_UNIX
    struct stat old = {};
    if (handle < 0 || ::stat(QFile::encodeName(path).constData(), &old) != 0)
        return;
    if (::fchown(handle, old.st_uid, old.st_gid) != 0
        && ::fchown(handle, uid_t(-1), old.st_gid) != 0) {
        // EPERM: the writer's own group stays.
    }
    // After chown, which clears set-id bits.
    if (::fchmod(handle, old.st_mode & 07777) != 0) {
        // The mode the new file was made with stays.
    }
#else
    Q_UNUSED(path);
    Q_UNUSED(handle);
#endif
}

// Whether a file can be made beside path, judged as open() judges it: by
// the effective user, not the real one that access() asks about.
bool folderIsWritable(const QString &path)
{
    const QString folder = QFileInfo(path).path();
#ifdef Q_OS_UNIX
    return ::faccessat(AT_FDCWD, QFile::encodeName(folder).constData(), W_OK, AT_EACCESS) == 0;
#else
    return QFileInfo(folder).isWritable();
#endif
}

} // namespace

QByteArray PlotTableWriter::encode(const PlotTable &table) const
{
    const QString decimalPoint = m_decimalPoint.isEmpty() ? QLocale().decimalPoint()
                                                          : m_decimalPoint;
    // Nearly every table is written in the Western code page. Its bytes are
    // made directly, which saves building the whole text first and then
    // converting it; any other table takes the way through the text.
    QByteArray bytes;
    if (table.encoding == PlotTextCodec::Encoding::Windows1252
        && encodeWindows1252(table, decimalPoint, &bytes))
        return bytes;

    QString out;
    // About 40 characters per record is typical; one allocation instead of
    // dozens for a large table.
    out.reserve(64 + 40 * (table.icons.count() + table.notes.count()));
    appendLine(out, table.backgroundName);
    appendLine(out, table.iconSetName);
    appendRecords(out, table.icons, decimalPoint);
    appendLine(out, QStringLiteral("[Notes]"));
    appendRecords(out, table.notes, decimalPoint);
    appendLine(out, QStringLiteral("[End]"));
    return PlotTextCodec::encode(out, table.encoding);
}

bool PlotTableWriter::refusesLineBreak(const PlotTable &table)
{
    // A text with a line break would be read back as records of its own:
    // icons made of the text's pieces and notes lost. The editor never
    // lets one in; anything else that tries is refused, not written.
    bool broken = hasLineBreak(table.backgroundName) || hasLineBreak(table.iconSetName);
    for (const ElementArray *elements : {&table.icons, &table.notes}) {
        for (int n = 1; !broken && n <= elements->count(); ++n)
            broken = (*elements)[n].live && hasLineBreak((*elements)[n].text);
    }
    m_errorString = broken ? QStringLiteral("A text of the table holds a line break.") : QString();
    return broken;
}

bool PlotTableWriter::write(QIODevice &device, const PlotTable &table)
{
    if (refusesLineBreak(table))
        return false;
    const QByteArray bytes = encode(table);
    if (device.write(bytes) != bytes.size()) {
        m_errorString = device.errorString();
        return false;
    }
    return true;
}

bool PlotTableWriter::write(const QString &path, const PlotTable &table)
{
    if (refusesLineBreak(table))
        return false;
    return writeBytes(path, encode(table));
}

bool PlotTableWriter::writeNew(const QString &path, const QString &backgroundName,
                               const QString &iconSetName)
{
    PlotTable table;
    table.backgroundName = backgroundName;
    table.iconSetName = iconSetName;
    return write(path, table);
}

bool PlotTableWriter::writeBytes(const QString &path, const QByteArray &bytes)
{
    m_errorString.clear();
    const bool inPlace = m_directWriteFallback && !folderIsWritable(path);
    QByteArray previous;
    if (inPlace) {
        // Written in place, a table that is already on disk as it is would
        // only be put at risk; one that fails half-way gets its old bytes
        // back, as far as the disk allows.
        QFile current(path);
        if (current.open(QIODevice::ReadOnly))
            previous = current.readAll();
        if (previous == bytes && current.error() == QFileDevice::NoError)
            return true;
    }
    if (!writeThroughSaveFile(path, bytes)) {
        if (inPlace && !previous.isEmpty()) {
            QFile restore(path);
            if (restore.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
                restore.write(previous);
        }
        return false;
    }
    return true;
}

bool PlotTableWriter::writeThroughSaveFile(const QString &path, const QByteArray &bytes)
{
    const bool inPlace = m_directWriteFallback && !folderIsWritable(path);
    QSaveFile file(path);
    file.setDirectWriteFallback(m_directWriteFallback);
    // Unbuffered, so that every short write is seen here: through Qt's
    // buffer a disk that fills up in the middle can still commit a
    // truncated file as if all were well.
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered)) {
        m_errorString = file.errorString();
        return false;
    }
    for (qint64 done = 0; done < bytes.size();) {
        const qint64 written = file.write(bytes.constData() + done, bytes.size() - done);
        if (written <= 0) {
            m_errorString = file.errorString();
            file.cancelWriting();
            return false;
        }
        done += written;
    }
    keepOwnerAndMode(path, file.handle());
#ifdef Q_OS_UNIX
    if (inPlace && ::fsync(file.handle()) != 0) {
        // commit() reports what matters; the data is at least written.
    }
#endif
    if (!file.commit()) {
        m_errorString = file.errorString();
        return false;
    }
    return true;
}
