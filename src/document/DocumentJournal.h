#pragma once

#include "JournalFile.h"
#include "JournalWriter.h"
#include "PlotDocument.h"

#include <QObject>

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
    void start(const QString &tablePath, const TableIdentity &identity, const QByteArray &bytes);
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

signals:
    // Writing the journal failed; said once.
    void failed(const QString &errorString);

private:
    bool begin();
    void added(ElementKind kind, int n);
    void changed(ElementKind kind, int n, PlotDocument::Changes what);

    PlotDocument &m_document;
    JournalWriter m_writer;
    QString m_tablePath;
    TableIdentity m_identity;
    QByteArray m_base;
    enum State { Idle, Waiting, Writing, Failed } m_state = Idle;
};
