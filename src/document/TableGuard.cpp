#include "TableGuard.h"

#include "JournalReplay.h"
#include "PlotDocument.h"
#include "PlotTableSaver.h"
#include "PlotTableWriter.h"
#include "WindowServices.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QUndoStack>

namespace {

const QString kCrLf = QStringLiteral("\r\n");

// How many changes a user made, as the records tell it: a placement with
// its text is one, a deletion (text cleared, element gone) is one, and so
// is a carry however many moves it journaled.
int countChanges(const QList<JournalRecord> &records)
{
    int changes = 0;
    for (qsizetype i = 0; i < records.size(); ++i) {
        const JournalRecord &record = records[i];
        const JournalRecord *before = i > 0 ? &records[i - 1] : nullptr;
        const bool sameElement =
            before && before->kind == record.kind && before->element == record.element;
        const bool continues =
            sameElement
            && ((record.type == JournalRecord::Place && before->type == JournalRecord::Place)
                || (record.type == JournalRecord::Text && before->type == JournalRecord::Add)
                || (record.type == JournalRecord::Live && !record.value.live
                    && before->type == JournalRecord::Text && before->value.text.isEmpty()));
        if (!continues)
            ++changes;
    }
    return changes;
}

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
}

void TableGuard::opened(const QString &file, const QByteArray &bytes,
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
        return;
    }
    recover(file);
    m_journal.start(file, m_identity, bytes);
    // Replayed once the new journal runs, so that it holds them again.
    if (!m_recovered.isEmpty()) {
        DocumentJournal::replay(m_document, m_recovered);
        m_recovered.clear();
    }
}

void TableGuard::recover(const QString &file)
{
    const QString journalPath = JournalFile::journalPathFor(file);
    if (!QFileInfo(journalPath).isFile())
        return;
    const JournalFile::ReadResult found = JournalFile::read(journalPath);
    const int changes = found.ok ? countChanges(found.records) : 0;
    if (changes == 0) {
        QFile::remove(journalPath); // nothing in it to recover
        return;
    }
    // Edits are only ever replayed onto the very bytes they were made on.
    if (found.identity != m_identity) {
        offerRecoveredCopy(file, found, changes);
        return;
    }
    const int answer = m_services.askChoice(
        QStringLiteral("Quenbrack was not closed properly while this plot table was open. "
                       "Recover the %1 changes made then?")
            .arg(changes),
        QStringLiteral("Recover Plot Table"), {QStringLiteral("&Yes"), QStringLiteral("&No")}, 0);
    if (answer == 0)
        m_recovered = found.records;
    else
        QFile::remove(journalPath);
}

void TableGuard::offerRecoveredCopy(const QString &file, const JournalFile::ReadResult &found,
                                    int changes)
{
    m_services.showMessage(
        QStringLiteral("Quenbrack was not closed properly while this plot table was open, and "
                       "the file has been changed since:")
            + kCrLf + u'\'' + file + u'\'' + kCrLf + kCrLf
            + QStringLiteral("The %1 changes made then are not applied to it. Please choose a "
                             "name to save the recovered Plot Table under.")
                  .arg(changes),
        MessageIcon::Exclamation, QStringLiteral("Recover Plot Table"));
    PlotTable recovered;
    PlotTableReader().read(found.base, recovered);
    JournalReplay::apply(found.records, recovered);
    const QString saved = PlotTableSaver(m_services, m_folder).saveAs(file, recovered);
    if (saved.isEmpty()) {
        // Not saved: the journal is set aside rather than overwritten by
        // this session's, so the edits are still there to be had.
        const QString journalPath = JournalFile::journalPathFor(file);
        const QString aside = journalPath + QStringLiteral(".unrecovered");
        QFile::remove(aside);
        QFile::rename(journalPath, aside);
    }
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

bool TableGuard::close()
{
    if (m_access == Access::ReadOnly)
        return true;
    const PlotTable &table = m_document.table();
    // A file that may be written in a folder that may not is written in
    // place, once the journal is on disk to recover from should that be
    // cut short.
    m_journal.flush();
    const QString reason = keepReason();
    const bool changed = reason.isEmpty() && changedOnDisk();
    if (m_endingBySignal) {
        // Nobody is there to answer: write what can be written as it is,
        // and leave the journal for everything else.
        PlotTableWriter writer;
        writer.setDirectWriteFallback(true);
        if (reason.isEmpty() && !changed && writer.write(m_file, table))
            m_journal.discard();
        else
            m_journal.keep();
        return true;
    }
    PlotTableSaver saver(m_services, m_folder);
    saver.setDirectWriteFallback(true);
    int answer = -1;
    if (changed) {
        answer = m_services.askChoice(
            QStringLiteral("The Plot Table") + kCrLf + u'\'' + m_file + u'\'' + kCrLf
                + QStringLiteral("was changed on disk since it was opened, by another program "
                                 "or another user. Overwrite it with this window's table, or "
                                 "save this table under another name?"),
            QStringLiteral("Plot Table Changed on Disk"),
            {QStringLiteral("&Overwrite"), QStringLiteral("&Save As..."),
             QStringLiteral("&Keep Open")},
            1);
        if (answer != 0 && answer != 1)
            return false;
    }
    const QString saved = changed && answer == 1 ? saver.saveAs(m_file, table)
                                                 : saver.save(m_file, table, reason);
    // Written, or the user's Cancel in the rescue: either way the journal
    // has served, unless a signal ended the question.
    if (saved.isEmpty() && m_endingBySignal)
        m_journal.keep();
    else
        m_journal.discard();
    return true;
}
