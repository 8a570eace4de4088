#include "DocumentJournal.h"

#include "JournalReplay.h"

DocumentJournal::DocumentJournal(PlotDocument &document, QObject *parent)
    : QObject(parent)
    , m_document(document)
{
    connect(&m_writer, &JournalWriter::failed, this, &DocumentJournal::failed);
    connect(&m_writer, &JournalWriter::restarted, this, &DocumentJournal::restarted);
}

void DocumentJournal::start(const QString &tablePath, const TableIdentity &identity,
                            const QByteArray &bytes, JournalWriter::Mode mode)
{
    m_mode = mode;
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
        if (m_writer.start(JournalFile::journalPathFor(m_tablePath), m_identity, m_base,
                           m_mode)) {
            m_state = Writing;
        } else {
            m_state = Failed;
            emit failed(m_writer.errorString());
        }
        m_base.clear();
    }
    return m_state == Writing;
}

bool DocumentJournal::commit()
{
    m_mode = JournalWriter::Fresh;
    return begin() && m_writer.commit();
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
    qsizetype at = 0;
    return replay(document, [&](JournalRecord &record) {
               if (at == records.size())
                   return false;
               record = records[at++];
               return true;
           })
        .applied;
}

DocumentJournal::Replayed DocumentJournal::replay(PlotDocument &document,
                                                  const std::function<bool(JournalRecord &)> &next)
{
    // One record is looked at ahead: a placement journals the element and
    // then its text, a deletion the cleared text and then the element
    // leaving, and each pair comes back as the one step it was.
    JournalRecord ahead;
    bool haveAhead = next(ahead);
    const auto take = [&](JournalRecord &record) {
        if (!haveAhead)
            return false;
        record = ahead;
        haveAhead = next(ahead);
        return true;
    };
    const auto follows = [&](const JournalRecord &record, JournalRecord::Type type) {
        return haveAhead && ahead.type == type && ahead.kind == record.kind
               && ahead.element == record.element;
    };

    Replayed result;
    JournalRecord record;
    JournalRecord before;
    bool haveBefore = false;
    // A carry journals every move; its moves come back as one step, like
    // the carry they were. Moves of a recovery never join a user's carry.
    int carry = -1;
    while (take(record)) {
        const bool newStep = JournalReplay::startsStep(haveBefore ? &before : nullptr, record);
        result.steps += newStep;
        if (result.reason.isEmpty()) {
            result.reason = JournalReplay::misfit(record, document.count(ElementKind::Icon),
                                                  document.count(ElementKind::Note));
        }
        if (!result.reason.isEmpty()) {
            // Nothing more is applied; the rest is only counted.
            before = record;
            haveBefore = true;
            continue;
        }
        const ElementKind kind = record.kind;
        const int n = record.element;
        switch (record.type) {
        case JournalRecord::Add:
            document.add(kind, record.value);
            if (follows(record, JournalRecord::Text)) {
                take(record);
                document.setText(kind, n, record.value.text);
                ++result.applied;
            }
            document.recordAdded(kind, n, QStringLiteral("Add"));
            break;
        case JournalRecord::Place:
            if (newStep)
                --carry;
            document.carry(carry, {{kind, n}}, QPointF(record.value.left, record.value.top));
            break;
        case JournalRecord::Text:
            if (record.value.text.isEmpty() && follows(record, JournalRecord::Live) && !ahead.value.live) {
                take(record);
                document.remove(kind, n);
                ++result.applied;
            } else {
                document.edit(kind, n, record.value.text);
            }
            break;
        case JournalRecord::Live:
            if (record.value.live) {
                document.setLive(kind, n, true);
                document.recordAdded(kind, n, QStringLiteral("Restore"));
            } else {
                document.cut(kind, n);
            }
            break;
        }
        ++result.applied;
        result.stepsApplied += newStep;
        before = record;
        haveBefore = true;
    }
    return result;
}
