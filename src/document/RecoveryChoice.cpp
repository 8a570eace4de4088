#include "RecoveryChoice.h"

#include "JournalReplay.h"
#include "PlotTableReader.h"
#include "PlotTableSaver.h"
#include "PlotTableWriter.h"
#include "WindowServices.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#ifdef Q_OS_UNIX
#include <unistd.h>
#endif

namespace {

const QString kCrLf = QStringLiteral("\r\n");
const QString kTitle = QStringLiteral("Recover Plot Table");

QString quoted(const QString &path)
{
    return kCrLf + u'\'' + QDir::toNativeSeparators(path) + u'\'' + kCrLf;
}

bool exists(const QString &path)
{
    // A dangling link is something too: a name taken.
    const QFileInfo info(path);
    return info.exists() || info.isSymLink();
}

} // namespace

RecoveryChoice::RecoveryChoice(WindowServices &services, const ProgramFolder &folder)
    : m_services(services)
    , m_folder(folder)
{
}

QString RecoveryChoice::recoveredName(const QString &file)
{
    const QFileInfo info(file);
    const QString stem = info.dir().filePath(info.completeBaseName() + QStringLiteral(" (recovered"));
    QString name = stem + QStringLiteral(").plt");
    for (int n = 2; exists(name); ++n)
        name = stem + QStringLiteral(" %1).plt").arg(n);
    return name;
}

QString RecoveryChoice::setAside(const QString &journalPath, const QString &suffix, Keep keep)
{
    QString aside = journalPath + suffix;
    for (int n = 2; exists(aside); ++n)
        aside = journalPath + suffix + QStringLiteral(".%1").arg(n);
    bool done;
#ifdef Q_OS_UNIX
    const QByteArray from = QFile::encodeName(journalPath), to = QFile::encodeName(aside);
    done = keep == Link ? ::link(from.constData(), to.constData()) == 0
                        : ::rename(from.constData(), to.constData()) == 0;
#else
    done = keep == Link ? QFile::copy(journalPath, aside) : QFile::rename(journalPath, aside);
#endif
    return done ? aside : QString();
}

void RecoveryChoice::sayAside(const QString &journalPath, const QString &suffix,
                              const QString &why)
{
    const QString aside = setAside(journalPath, suffix);
    m_services.showMessage(
        QStringLiteral("The recovery journal") + quoted(journalPath)
            + QStringLiteral("cannot be used: %1.").arg(why) + kCrLf + kCrLf
            + (aside.isEmpty() ? QStringLiteral("It was left where it is.")
                               : QStringLiteral("It was kept as") + quoted(aside)),
        MessageIcon::Exclamation, kTitle);
}

int RecoveryChoice::countSteps()
{
    int steps = 0;
    JournalRecord before;
    JournalRecord record;
    bool first = true;
    while (m_reader.next(record)) {
        steps += JournalReplay::startsStep(first ? nullptr : &before, record);
        before = record;
        first = false;
    }
    m_reader.rewind();
    return steps;
}

RecoveryChoice::Outcome RecoveryChoice::decide(const QString &file, const TableIdentity &identity,
                                               const QByteArray &bytes)
{
    const QString journalPath = JournalFile::journalPathFor(file);
    if (!m_reader.open(journalPath)) {
        switch (m_reader.status()) {
        case JournalReader::Ok:
        case JournalReader::Missing:
        case JournalReader::NotRegular: // not ours; the new journal says so
            break;
        case JournalReader::Newer:
            sayAside(journalPath, QStringLiteral(".newer"), m_reader.errorString());
            break;
        case JournalReader::Unreadable:
        case JournalReader::Damaged:
        case JournalReader::TooLarge:
            sayAside(journalPath, QStringLiteral(".unreadable"), m_reader.errorString());
            break;
        }
        return Open;
    }
    const int steps = countSteps();
    if (steps == 0) {
        QFile::remove(journalPath); // nothing in it to recover
        return Open;
    }
    // Edits are only ever replayed onto the very bytes they were made on.
    if (m_reader.identity() != identity)
        return offerCopy(file, steps);

    const int answer = m_services.askChoice(
        QStringLiteral("Quenbrack was not closed properly while this plot table was open:")
            + quoted(file) + kCrLf
            + QStringLiteral("Recover the %1 changes made then? No keeps them as a plot table "
                             "of their own beside it; Cancel leaves the table closed for now.")
                  .arg(steps),
        kTitle, {QStringLiteral("&Yes"), QStringLiteral("&No"), QStringLiteral("Cancel")}, 0);
    if (answer == 0)
        return Replay;
    if (answer == 1)
        return keepAsCopy(file, bytes, steps);
    return Cancel; // Cancel, Escape, the close button, or a signal ending the program
}

RecoveryChoice::Outcome RecoveryChoice::keepAsCopy(const QString &file, const QByteArray &bytes,
                                                   int steps)
{
    const QString journalPath = JournalFile::journalPathFor(file);
    PlotTable table;
    PlotTableReader().read(bytes, table);
    JournalRecord record;
    while (m_reader.next(record) && JournalReplay::apply(record, table)) {
    }
    const QString copy = recoveredName(file);
    PlotTableWriter writer;
    if (writer.write(copy, table)) {
        QFile::remove(journalPath); // its changes live in the copy
        m_status = QStringLiteral("The %1 changes of the last session were kept as %2")
                       .arg(steps)
                       .arg(QDir::toNativeSeparators(copy));
        return Open;
    }
    sayAside(journalPath, QStringLiteral(".unrecovered"),
             QStringLiteral("its changes could not be saved as %1: %2")
                 .arg(QDir::toNativeSeparators(copy), writer.errorString()));
    return Open;
}

RecoveryChoice::Outcome RecoveryChoice::offerCopy(const QString &file, int steps)
{
    const QString journalPath = JournalFile::journalPathFor(file);
    if (!m_reader.baseIntact()) {
        sayAside(journalPath, QStringLiteral(".unreadable"),
                 QStringLiteral("the table has been changed since, and the journal's copy of "
                                "it is damaged"));
        return Open;
    }
    m_services.showMessage(
        QStringLiteral("Quenbrack was not closed properly while this plot table was open, and "
                       "the file has been changed since:")
            + quoted(file) + kCrLf
            + QStringLiteral("The %1 changes made then are not applied to it. Please choose a "
                             "name to save the recovered Plot Table under.")
                  .arg(steps),
        MessageIcon::Exclamation, kTitle);
    PlotTable recovered;
    PlotTableReader().read(m_reader.base(), recovered);
    JournalRecord record;
    while (m_reader.next(record) && JournalReplay::apply(record, recovered)) {
    }
    // Proposed under a name of its own, so that one Return cannot write it
    // over the other person's change.
    const QString saved = PlotTableSaver(m_services, m_folder).saveAs(recoveredName(file), recovered);
    if (saved.isEmpty()) {
        // Not saved: the journal is set aside rather than overwritten by
        // this session's, so the edits are still there to be had.
        setAside(journalPath, QStringLiteral(".unrecovered"));
    } else {
        QFile::remove(journalPath); // its changes live in the copy
    }
    return Open;
}
