#include "ElementCommands.h"

#include "PlotDocument.h"

namespace {
QString stepName(const QString &verb, ElementKind kind)
{
    return verb + u' ' + DocumentCommand::kindName(kind);
}
} // namespace

ElementCommand::ElementCommand(PlotDocument &document, const QString &verb, ElementKind kind,
                               int n)
    : DocumentCommand(document, stepName(verb, kind))
    , m_kind(kind)
    , m_n(n)
{
}

void AddElementCommand::revert()
{
    m_document.setLive(m_kind, m_n, false);
}

void AddElementCommand::apply()
{
    m_document.setLive(m_kind, m_n, true);
}

namespace {
QString movesName(const QVector<MoveElementsCommand::Move> &moves)
{
    bool icon = false;
    bool note = false;
    for (const MoveElementsCommand::Move &move : moves)
        (move.kind == ElementKind::Icon ? icon : note) = true;
    if (icon && note)
        return QStringLiteral("Move Icon and Note");
    return stepName(QStringLiteral("Move"), icon ? ElementKind::Icon : ElementKind::Note);
}
} // namespace

MoveElementsCommand::MoveElementsCommand(PlotDocument &document, int carry,
                                         const QVector<Move> &moves)
    : DocumentCommand(document, movesName(moves))
    , m_carry(carry)
    , m_moves(moves)
{
}

bool MoveElementsCommand::mergeWith(const QUndoCommand *other)
{
    const auto *later = static_cast<const MoveElementsCommand *>(other);
    if (later->m_carry != m_carry)
        return false;
    // An element picked up in the middle of a carry joins it.
    for (const Move &move : later->m_moves) {
        auto found = std::find_if(m_moves.begin(), m_moves.end(), [&](const Move &known) {
            return known.kind == move.kind && known.n == move.n;
        });
        if (found != m_moves.end())
            found->to = move.to;
        else
            m_moves.append(move);
    }
    setText(movesName(m_moves));
    return true;
}

void MoveElementsCommand::revert()
{
    for (const Move &move : std::as_const(m_moves))
        m_document.move(move.kind, move.n, move.from);
}

void MoveElementsCommand::apply()
{
    for (const Move &move : std::as_const(m_moves))
        m_document.move(move.kind, move.n, move.to);
}

SetTextCommand::SetTextCommand(PlotDocument &document, const QString &verb, ElementKind kind,
                               int n, const QString &before, const QString &after)
    : ElementCommand(document, verb, kind, n)
    , m_before(before)
    , m_after(after)
{
}

void SetTextCommand::revert()
{
    m_document.setText(m_kind, m_n, m_before);
}

void SetTextCommand::apply()
{
    m_document.setText(m_kind, m_n, m_after);
}

RemoveElementCommand::RemoveElementCommand(PlotDocument &document, const QString &verb,
                                           ElementKind kind, int n, const QString &textBefore,
                                           bool clearsText)
    : ElementCommand(document, verb, kind, n)
    , m_text(textBefore)
    , m_clearsText(clearsText)
{
}

void RemoveElementCommand::revert()
{
    if (m_clearsText)
        m_document.setText(m_kind, m_n, m_text);
    m_document.setLive(m_kind, m_n, true);
}

void RemoveElementCommand::apply()
{
    if (m_clearsText)
        m_document.setText(m_kind, m_n, QString());
    m_document.setLive(m_kind, m_n, false);
}
