#pragma once

#include "JournalFile.h"
#include "JournalWriter.h"
#include "PlotDocument.h"

#include <QObject>

#include <functional>

// The recovery journal of one open table. It follows the document, not the
// tools: every change that reaches the document (a gesture, undo, redo, a
// recovery) is appended, and the writer gets it to disk within a second
// without the user ever waiting.
class DocumentJournal : public QObject
{
    Q_OBJECT
public:
    explicit DocumentJournal(PlotDocument &document, QObject *parent = nullptr);

    // Journals the changes to the table read from tablePath as bytes. The
    // file is made with the first change, so that a table only looked at
    // leaves nothing behind; when it cannot be made, failed() says so.
    // replacing: the journal at the path holds changes being recovered, and
    // is replaced only by commit() (see JournalWriter::Replacing).
    void start(const QString &tablePath, const TableIdentity &identity, const QByteArray &bytes,
               JournalWriter::Mode mode = JournalWriter::Fresh);
    // After a recovery: the new journal, holding the replayed changes, takes
    // the old one's place. False when the old one had to stay.
    bool commit();
    QString errorString() const { return m_writer.errorString(); }
    QString path() const { return m_writer.journalPath(); }

    // The table was written, or the user chose not to keep it.
    void discard();
    // The table could not be written: the journal stays for the next start.
    void keep() { m_writer.flush(); }
    bool flush() { return m_writer.flush(); }

    // Replays records into the document as steps of its history; returns
    // how many were applied (see JournalReplay for where it stops).
    static int replay(PlotDocument &document, const QList<JournalRecord> &records);
    struct Replayed
    {
        int applied = 0;      // records
        int steps = 0;        // the user's steps the records make
        int stepsApplied = 0; // of those, the ones replayed
        QString reason;       // why the replay stopped short; empty if it did not
    };
    // The same with the records read one at a time from next(), which
    // gives false after the last: a journal is never held whole.
    static Replayed replay(PlotDocument &document,
                           const std::function<bool(JournalRecord &)> &next);

signals:
    // Writing the journal failed; said once.
    void failed(const QString &errorString);
    // The journal was deleted while the table was open and written anew.
    void restarted(const QString &journalPath);

private:
    bool begin();
    void added(ElementKind kind, int n);
    void changed(ElementKind kind, int n, PlotDocument::Changes what);

    PlotDocument &m_document;
    JournalWriter m_writer;
    QString m_tablePath;
    TableIdentity m_identity;
    QByteArray m_base;
    JournalWriter::Mode m_mode = JournalWriter::Fresh;
    enum State { Idle, Waiting, Writing, Failed } m_state = Idle;
};
