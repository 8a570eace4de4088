#pragma once

#include "DocumentCommand.h"

#include <QPointF>
#include <QVector>

// The steps a user's changes make.

// A step that changed one element, named by kind and number, which stay
// valid for as long as the table is open; the step's name is the verb and
// the kind ("Delete Note").
class ElementCommand : public DocumentCommand
{
public:
    ElementCommand(PlotDocument &document, const QString &verb, ElementKind kind, int n);

protected:
    ElementKind m_kind;
    int m_n;
};

// An element placed or pasted: undo takes it off the table again, redo
// brings it back. The number is never given to another element, so the
// file written on closing holds exactly what the table shows.
class AddElementCommand : public ElementCommand
{
public:
    using ElementCommand::ElementCommand;

protected:
    void revert() override;
    void apply() override;
};

// One carry, from picking elements up to putting them down: the moves of
// one carry merge into one step.
class MoveElementsCommand : public DocumentCommand
{
public:
    struct Move
    {
        ElementKind kind;
        int n;
        QPointF from;
        QPointF to;
    };

    MoveElementsCommand(PlotDocument &document, int carry, const QVector<Move> &moves);

    int id() const override { return 1; }
    bool mergeWith(const QUndoCommand *other) override;

protected:
    void revert() override;
    void apply() override;

private:
    int m_carry;
    QVector<Move> m_moves;
};

// Edit: the element's text before and after.
class SetTextCommand : public ElementCommand
{
public:
    SetTextCommand(PlotDocument &document, const QString &verb, ElementKind kind, int n,
                   const QString &before, const QString &after);

protected:
    void revert() override;
    void apply() override;

private:
    QString m_before;
    QString m_after;
};

// Cut or Delete: the element leaves the table (Delete also clears its
// text); undo makes the same element live again with the text it had.
class RemoveElementCommand : public ElementCommand
{
public:
    RemoveElementCommand(PlotDocument &document, const QString &verb, ElementKind kind, int n,
                         const QString &textBefore, bool clearsText);

protected:
    void revert() override;
    void apply() override;

private:
    QString m_text;
    bool m_clearsText;
};
