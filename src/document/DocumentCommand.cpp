#include "DocumentCommand.h"

DocumentCommand::DocumentCommand(PlotDocument &document, const QString &text)
    : QUndoCommand(text)
    , m_document(document)
{
}

void DocumentCommand::undo()
{
    revert();
}

void DocumentCommand::redo()
{
    if (m_applied) {
        m_applied = false;
        return;
    }
    apply();
}

QString DocumentCommand::kindName(ElementKind kind)
{
    return kind == ElementKind::Icon ? QStringLiteral("Icon") : QStringLiteral("Note");
}
