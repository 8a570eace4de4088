#include "TableGuard.h"

#include "JournalReplay.h"
#include "PlotDocument.h"
#include "PlotTableSaver.h"
#include "PlotTableWriter.h"
#include "RecoveryChoice.h"
#include "WindowServices.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QUndoStack>

namespace {
const QString kCrLf = QStringLiteral("\r\n");
} // namespace

TableGuard::TableGuard(PlotDocument &document, WindowServices &services,
                       const ProgramFolder &folder, QObject *parent)
    : QObject(parent)
    , m_document(document)
    , m_services(services)
    , m_folder(folder)
    , m_journal(document)
{
    connect(&m_journal, &DocumentJournal::failed, this, [this](const QString &error) {
        emit statusMessage(QStringLiteral("Changes to this Plot Table cannot be recovered after "
                                          "a crash: %1")
                               .arg(error));
    });
    connect(&m_journal, &DocumentJournal::restarted, this, [this](const QString &path) {
        emit statusMessage(QStringLiteral("The recovery journal %1 was removed while the table "
                                          "was open; a new one holds every change again.")
                               .arg(QDir::toNativeSeparators(path)));
    });
}

bool TableGuard::opened(const QString &file, const QByteArray &bytes,
                        PlotTableReader::Result result)
{
    m_file = file;
    m_readResult = result;
    m_identity = JournalFile::identify(file, bytes);
    if (m_access != Access::Own) {
        // A journal there is the live one of the Quenbrack that has the
        // table: not ours to recover, delete or write.
        if (m_access == Access::Shared)
            emit statusMessage(QStringLiteral("This Plot Table is open in another Quenbrack as "
                                              "well: changes made here cannot be recovered after "
                                              "a crash."));
        return true;
    }
    RecoveryChoice choice(m_services, m_folder);
    const RecoveryChoice::Outcome outcome = choice.decide(file, m_identity, bytes);
    if (outcome == RecoveryChoice::Cancel)
        return false;
    if (outcome == RecoveryChoice::Open) {
        m_journal.start(file, m_identity, bytes);
    } else {
        replay(choice.reader(), bytes);
    }
    if (!choice.statusText().isEmpty())
        emit statusMessage(choice.statusText());
    return true;
}

void TableGuard::replay(JournalReader &reader, const QByteArray &bytes)
{
    // The replayed changes go to a new journal, which replaces the old one
    // only once it holds them: a crash at any moment finds one or the other.
    m_journal.start(m_file, m_identity, bytes, JournalWriter::Replacing);
    const DocumentJournal::Replayed replayed =
        DocumentJournal::replay(m_document, [&](JournalRecord &record) { return reader.next(record); });
    const QString journalPath = JournalFile::journalPathFor(m_file);
    // What could not be applied stays on disk beside the table.
    if (replayed.stepsApplied < replayed.steps)
        RecoveryChoice::setAside(journalPath, QStringLiteral(".unrecovered"),
                                 RecoveryChoice::Link);
    if (!m_journal.commit())
        emit statusMessage(QStringLiteral("The recovered changes could not be journaled again; "
                                          "the old journal stays beside the table."));
    if (replayed.stepsApplied < replayed.steps)
        m_services.showMessage(
            QStringLiteral("%1 of %2 changes were recovered; the others could not be applied (%3).")
                .arg(replayed.stepsApplied)
                .arg(replayed.steps)
                .arg(replayed.reason),
            MessageIcon::Exclamation, QStringLiteral("Recover Plot Table"));
}

QString TableGuard::keepReason() const
{
    // A file that was there but was not read as a plot table is never
    // overwritten with what the program made of it.
    if (m_readResult == PlotTableReader::Incomplete)
        return QStringLiteral("it ends before its [Notes] line, so it is no Plot Table");
    if (m_readResult == PlotTableReader::OpenFailed && m_identity.state != TableIdentity::Absent)
        return QStringLiteral("it could not be read");
    return QString();
}

void TableGuard::reloaded(const QByteArray &bytes, PlotTableReader::Result result)
{
    m_journal.discard();
    m_readResult = result;
    m_identity = JournalFile::identify(m_file, bytes);
    if (m_access == Access::Own)
        m_journal.start(m_file, m_identity, bytes);
}

bool TableGuard::changedOnDisk() const
{
    // A file gone meanwhile (its folder removed) or out of reach has
    // nothing to overwrite; writing it is what fails, with its own rescue.
    // Only the bytes count: a new time alone (touch) is no change.
    const TableIdentity now = JournalFile::identify(m_file);
    return now.state == TableIdentity::Present
        && (now.state != m_identity.state || now.size != m_identity.size
            || now.sha256 != m_identity.sha256);
}

QString TableGuard::write(const QString &keepOpenCaption, bool *keptOpen)
{
    const PlotTable &table = m_document.table();
    const QString reason = keepReason();
    const bool changed = reason.isEmpty() && changedOnDisk();
    PlotTableSaver saver(m_services, m_folder);
    saver.setDirectWriteFallback(true);
    *keptOpen = false;
    int answer = -1;
    if (changed) {
        answer = m_services.askChoice(
            QStringLiteral("The Plot Table") + kCrLf + u'\'' + m_file + u'\'' + kCrLf
                + QStringLiteral("was changed on disk since it was opened, by another program "
                                 "or another user. Overwrite it with this window's table, or "
                                 "save this table under another name?"),
            QStringLiteral("Plot Table Changed on Disk"),
            {QStringLiteral("&Overwrite"), QStringLiteral("&Save As..."), keepOpenCaption}, 1);
        if (answer != 0 && answer != 1) {
            *keptOpen = true;
            return QString();
        }
    }
    return changed && answer == 1 ? saver.saveAs(m_file, table)
                                  : saver.save(m_file, table, reason);
}

bool TableGuard::close()
{
    if (m_access == Access::ReadOnly)
        return true;
    // A file that may be written in a folder that may not is written in
    // place, once the journal is on disk to recover from should that be
    // cut short.
    m_journal.flush();
    if (m_endingBySignal) {
        // Nobody is there to answer: write what can be written as it is,
        // and leave the journal for everything else.
        PlotTableWriter writer;
        writer.setDirectWriteFallback(true);
        const bool writable = keepReason().isEmpty() && !changedOnDisk();
        if (writable && writer.write(m_file, m_document.table()))
            m_journal.discard();
        else
            m_journal.keep();
        return true;
    }
    bool keptOpen = false;
    const QString saved = write(QStringLiteral("&Keep Open"), &keptOpen);
    if (keptOpen)
        return false;
    // Written, or the user's Cancel in the rescue: either way the journal
    // has served, unless a signal ended the question.
    if (saved.isEmpty() && m_endingBySignal)
        m_journal.keep();
    else
        m_journal.discard();
    return true;
}

TableGuard::SaveResult TableGuard::save()
{
    // A table read but never changed is the file as it is; writing it
    // again would only touch its date. A read-only window writes nothing.
    if (m_access == Access::ReadOnly)
        return NotSaved;
    if (m_document.undoStack()->isClean() && keepReason().isEmpty())
        return Unchanged;
    m_journal.flush();
    bool keptOpen = false;
    const QString saved = write(QStringLiteral("&Cancel"), &keptOpen);
    if (saved.isEmpty())
        return NotSaved; // the journal still holds every change
    // From now on the window's table is the one just written: later saves
    // and closes compare with it, and the journal starts again from it.
    QByteArray bytes;
    QFile written(saved);
    if (written.open(QIODevice::ReadOnly))
        bytes = written.readAll();
    m_journal.discard();
    m_file = saved;
    m_readResult = PlotTableReader::Complete;
    m_identity = JournalFile::identify(saved, bytes);
    m_journal.start(saved, m_identity, bytes);
    m_savedBytes = bytes;
    m_document.undoStack()->setClean();
    return Saved;
}
