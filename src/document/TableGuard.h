#pragma once

#include "DocumentJournal.h"
#include "JournalFile.h"
#include "JournalReader.h"
#include "PlotTableReader.h"
#include "ProgramFolder.h"

#include <QObject>

class PlotDocument;
class WindowServices;

// Keeps a table's edits safe from the moment its file is read until it is
// written again: the recovery journal of this session, the offer to
// recover the edits of a session that ended without closing the table,
// and a close that neither drops edits nor silently overwrites a file that
// someone else changed meanwhile.
class TableGuard : public QObject
{
    Q_OBJECT
public:
    TableGuard(PlotDocument &document, WindowServices &services, const ProgramFolder &folder,
               QObject *parent = nullptr);

    // How this window has its table; set before opened().
    enum class Access {
        Own,      // the only writer: recovery and the journal are its own
        Shared,   // opened anyway while another Quenbrack has it: the
                  // journal beside the table is that one's, left alone
        ReadOnly  // never written, no journal
    };
    void setAccess(Access access) { m_access = access; }
    Access access() const { return m_access; }

    // The table was read from file (bytes, as the reader judged them):
    // recovers what a journal left there, if the user wants it, and starts
    // this session's journal. False when the user chose not to open the
    // table now (Cancel in the recovery question).
    bool opened(const QString &file, const QByteArray &bytes, PlotTableReader::Result result);

    // The window read its table again (bytes): from now on the journal and
    // the check on close are about these bytes.
    void reloaded(const QByteArray &bytes, PlotTableReader::Result result);

    // Writes the table as the window closes. False when the user chose to
    // keep the window open.
    bool close();

    // File > Save: writes the table now, by the same rules as a close, and
    // the window goes on with it as the table on disk. A table with no
    // change since it was read or written last is left as it is.
    enum SaveResult { Saved, Unchanged, NotSaved };
    SaveResult save();
    // Where the table is written: its file, or the place the user chose
    // when it could not be written there.
    const QString &file() const { return m_file; }
    // The program ends by a signal: nobody answers questions any more, and
    // a table that cannot be written as it is keeps its journal instead,
    // also when a question was already up.
    void setEndingBySignal() { m_endingBySignal = true; }

    DocumentJournal &journal() { return m_journal; }

    // The bytes the last save() wrote: what the file now holds, so that
    // the watch on it does not take this program's own write for another's.
    const QByteArray &savedBytes() const { return m_savedBytes; }

signals:
    // Something the user should see once, not as a box: the journal
    // cannot be written.
    void statusMessage(const QString &text);

private:
    void replay(JournalReader &reader, const QByteArray &bytes);
    QString keepReason() const;
    bool changedOnDisk() const;
    // Writes the table through the rescue of PlotTableSaver, asking first
    // when its file changed on disk; the path written, empty when nothing
    // was (the user's Cancel; *keptOpen when the user's answer was to keep
    // the window as it is).
    QString write(const QString &keepOpenCaption, bool *keptOpen);

    PlotDocument &m_document;
    WindowServices &m_services;
    ProgramFolder m_folder;
    DocumentJournal m_journal;
    QString m_file;
    TableIdentity m_identity;
    PlotTableReader::Result m_readResult = PlotTableReader::OpenFailed;
    bool m_endingBySignal = false;
    Access m_access = Access::Own;
    QByteArray m_savedBytes;
};
