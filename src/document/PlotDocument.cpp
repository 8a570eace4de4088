#include "PlotDocument.h"

#include "OneLine.h"

#include "ElementCommands.h"

#include <QFile>
#include <QUndoStack>

PlotDocument::PlotDocument(QObject *parent)
    : QObject(parent)
    // The icons' template: 15 x 15 twips at the top-left corner until the
    // background picture gives it a size; the notes' template reads "Note".
    , m_table(PlotElement(), noteTemplate())
    , m_undoStack(new QUndoStack(this))
{
}

ElementArray &PlotDocument::elements(ElementKind kind)
{
    return kind == ElementKind::Icon ? m_table.icons : m_table.notes;
}

const ElementArray &PlotDocument::elements(ElementKind kind) const
{
    return kind == ElementKind::Icon ? m_table.icons : m_table.notes;
}

PlotTableReader::Result PlotDocument::load(const QString &path, QByteArray *bytes)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return PlotTableReader::OpenFailed;
    *bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        return PlotTableReader::OpenFailed;
    return PlotTableReader().read(*bytes, m_table);
}

PlotTableReader::Result PlotDocument::reload(const QByteArray &bytes)
{
    // The templates stay: the background's size is the window's.
    PlotTable table(m_table.icons[0], m_table.notes[0]);
    const PlotTableReader::Result result = PlotTableReader().read(bytes, table);
    m_undoStack->clear();
    m_table = std::move(table);
    emit reloaded();
    return result;
}

bool PlotDocument::refusesChanges()
{
    if (m_readOnly)
        emit changeRefused(QStringLiteral("This Plot Table is open read-only: it cannot be "
                                          "changed here."));
    return m_readOnly;
}

void PlotDocument::setBackgroundSize(QSizeF twips)
{
    PlotElement &background = m_table.icons[0];
    background.width = float(twips.width());
    background.height = float(twips.height());
    background.top = 0;
    background.left = 0;
    background.live = false;
}

int PlotDocument::addIcon(qint32 number, const QString &text, QPointF topLeft, QSizeF size)
{
    PlotElement icon = m_table.icons[0];
    icon.number = number;
    icon.pictureKey = QString::number(number);
    icon.text = oneLine(text);
    icon.left = float(topLeft.x());
    icon.top = float(topLeft.y());
    icon.width = float(size.width());
    icon.height = float(size.height());
    return add(ElementKind::Icon, icon);
}

int PlotDocument::addNote(const QString &text, QPointF topLeft)
{
    PlotElement note = m_table.notes[0];
    note.number = IconNumber::Note;
    note.text = oneLine(text);
    note.left = float(topLeft.x());
    note.top = float(topLeft.y());
    return add(ElementKind::Note, note);
}

int PlotDocument::add(ElementKind kind, const PlotElement &element)
{
    if (isFull(kind))
        return 0;
    ElementArray &array = elements(kind);
    const int n = array.add();
    array[n] = element;
    array[n].text = oneLine(element.text);
    array[n].live = true;
    emit elementAdded(kind, n);
    return n;
}

void PlotDocument::move(ElementKind kind, int n, QPointF topLeft)
{
    PlotElement &element = elements(kind)[n];
    element.left = float(topLeft.x());
    element.top = float(topLeft.y());
    emit elementChanged(kind, n, Place);
}

void PlotDocument::setText(ElementKind kind, int n, const QString &text)
{
    elements(kind)[n].text = oneLine(text);
    emit elementChanged(kind, n, Text);
}

void PlotDocument::setLive(ElementKind kind, int n, bool live)
{
    elements(kind)[n].live = live;
    emit elementChanged(kind, n, Live);
}

void PlotDocument::setSize(ElementKind kind, int n, QSizeF twips)
{
    PlotElement &element = elements(kind)[n];
    element.width = float(twips.width());
    element.height = float(twips.height());
    emit elementChanged(kind, n, Size);
}

void PlotDocument::recordAdded(ElementKind kind, int n, const QString &verb)
{
    m_undoStack->push(new AddElementCommand(*this, verb, kind, n));
}

void PlotDocument::carry(int carryId, const QVector<Carried> &elements, QPointF topLeft)
{
    if (refusesChanges())
        return;
    QVector<MoveElementsCommand::Move> moves;
    for (const Carried &carried : elements) {
        const PlotElement &element = this->element(carried.kind, carried.n);
        const QPointF from(element.left, element.top);
        move(carried.kind, carried.n, topLeft);
        const QPointF to(element.left, element.top);
        if (from != to)
            moves.append({carried.kind, carried.n, from, to});
    }
    if (!moves.isEmpty())
        m_undoStack->push(new MoveElementsCommand(*this, carryId, moves));
}

void PlotDocument::edit(ElementKind kind, int n, const QString &text)
{
    if (refusesChanges())
        return;
    const QString before = element(kind, n).text;
    // Made one line before the comparison, so that the step holds the text
    // the element really takes.
    const QString after = oneLine(text);
    if (before == after)
        return;
    setText(kind, n, after);
    m_undoStack->push(new SetTextCommand(*this, QStringLiteral("Edit"), kind, n, before, after));
}

void PlotDocument::cut(ElementKind kind, int n)
{
    if (refusesChanges())
        return;
    setLive(kind, n, false);
    m_undoStack->push(new RemoveElementCommand(*this, QStringLiteral("Cut"), kind, n,
                                               element(kind, n).text, false));
}

void PlotDocument::remove(ElementKind kind, int n)
{
    if (refusesChanges())
        return;
    const QString before = element(kind, n).text;
    setText(kind, n, QString());
    setLive(kind, n, false);
    m_undoStack->push(
        new RemoveElementCommand(*this, QStringLiteral("Delete"), kind, n, before, true));
}
