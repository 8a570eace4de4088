#pragma once

#include "PlotElement.h"

#include <QString>
#include <QUndoCommand>

class PlotDocument;

// A step of a table's history. Every step is recorded after the user made
// the change it stands for (the icon already moved with the pointer, the
// text already typed), so the first redo(), which QUndoStack::push() makes,
// does nothing; later ones make the change again.
class DocumentCommand : public QUndoCommand
{
public:
    DocumentCommand(PlotDocument &document, const QString &text);

    void undo() final;
    void redo() final;

    // "Icon" or "Note", for the steps' names.
    static QString kindName(ElementKind kind);

protected:
    virtual void revert() = 0;
    virtual void apply() = 0;

    PlotDocument &m_document;

private:
    bool m_applied = true;
};
