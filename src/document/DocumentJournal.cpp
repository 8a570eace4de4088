#include "DocumentJournal.h"

#include "JournalReplay.h"

DocumentJournal::DocumentJournal(PlotDocument &document, QObject *parent)
    : QObject(parent)
    , m_document(document)
{
    connect(&m_writer, &JournalWriter::failed, this, &DocumentJournal::failed);
}

void DocumentJournal::start(const QString &tablePath, const TableIdentity &identity,
                            const QByteArray &bytes)
{
    m_tablePath = tablePath;
    m_identity = identity;
    m_base = bytes;
    m_state = Waiting;
    connect(&m_document, &PlotDocument::elementAdded, this, &DocumentJournal::added,
            Qt::UniqueConnection);
    connect(&m_document, &PlotDocument::elementChanged, this, &DocumentJournal::changed,
            Qt::UniqueConnection);
}

bool DocumentJournal::begin()
{
    if (m_state == Waiting) {
        if (m_writer.start(JournalFile::journalPathFor(m_tablePath), m_identity, m_base)) {
            m_state = Writing;
        } else {
            m_state = Failed;
            emit failed(m_writer.errorString());
        }
        m_base.clear();
    }
    return m_state == Writing;
}

void DocumentJournal::discard()
{
    m_writer.discard();
    m_state = Idle;
    m_base.clear();
}

void DocumentJournal::added(ElementKind kind, int n)
{
    if (begin())
        m_writer.append({JournalRecord::Add, kind, n, m_document.element(kind, n)});
}

void DocumentJournal::changed(ElementKind kind, int n, PlotDocument::Changes what)
{
    if (!begin())
        return;
    const PlotElement &element = m_document.element(kind, n);
    if (what & PlotDocument::Place)
        m_writer.append({JournalRecord::Place, kind, n, element});
    if (what & PlotDocument::Text)
        m_writer.append({JournalRecord::Text, kind, n, element});
    if (what & PlotDocument::Live)
        m_writer.append({JournalRecord::Live, kind, n, element});
}

int DocumentJournal::replay(PlotDocument &document, const QList<JournalRecord> &records)
{
    // A carry journals every move; its moves come back as one step, like
    // the carry they were. Moves of a recovery never join a user's carry.
    int carry = -1;
    int applied = 0;
    for (qsizetype i = 0; i < records.size(); ++i) {
        const JournalRecord &record = records[i];
        if (!JournalReplay::fits(record, document.count(ElementKind::Icon),
                                 document.count(ElementKind::Note)))
            break;
        const ElementKind kind = record.kind;
        const int n = record.element;
        const bool continuesCarry = i > 0 && records[i - 1].type == JournalRecord::Place
                                    && records[i - 1].kind == kind && records[i - 1].element == n;
        switch (record.type) {
        case JournalRecord::Add: {
            PlotElement element = record.value;
            document.add(kind, element);
            // A placement journals the element, then the text typed for it.
            const bool typed = i + 1 < records.size() && records[i + 1].type == JournalRecord::Text
                               && records[i + 1].kind == kind && records[i + 1].element == n;
            if (typed) {
                document.setText(kind, n, records[++i].value.text);
                ++applied;
            }
            document.recordAdded(kind, n, QStringLiteral("Add"));
            break;
        }
        case JournalRecord::Place:
            if (!continuesCarry)
                --carry;
            document.carry(carry, {{kind, n}}, QPointF(record.value.left, record.value.top));
            break;
        case JournalRecord::Text: {
            // Delete journals the cleared text, then the element leaving.
            const bool deletes = record.value.text.isEmpty() && i + 1 < records.size()
                                 && records[i + 1].type == JournalRecord::Live
                                 && !records[i + 1].value.live && records[i + 1].kind == kind
                                 && records[i + 1].element == n;
            if (deletes) {
                document.remove(kind, n);
                ++i;
                ++applied;
            } else {
                document.edit(kind, n, record.value.text);
            }
            break;
        }
        case JournalRecord::Live:
            if (record.value.live) {
                document.setLive(kind, n, true);
                document.recordAdded(kind, n, QStringLiteral("Restore"));
            } else {
                document.cut(kind, n);
            }
            break;
        }
        ++applied;
    }
    return applied;
}
