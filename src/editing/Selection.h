#pragma once

#include "PlotElement.h"
#include "PlotView.h"

#include <QObject>

class PlotDocument;

// The element the user works on: the one picked up last by a click or a
// drag, or reached by Tab. It stays selected, outlined on the table, until
// another is picked up, the background is clicked, Escape is pressed, or it
// leaves the table (Cut, Delete, an undone placement). Carrying follows
// rules of its own; putting a carried element down keeps it selected, so
// that the menu bar's commands still find it after the pointer went there.
class Selection : public QObject
{
    Q_OBJECT
public:
    // described: the widget whose accessible description is the selected
    // element's text, so that a screen reader says what is selected.
    Selection(const PlotDocument &document, QWidget *described, QObject *parent = nullptr);

    // The selected element while it is live; Background when there is none.
    PlotView::Target current() const;
    bool isEmpty() const { return current().kind == PlotView::Target::Background; }

    void select(PlotView::Target target);
    void clear();

signals:
    // The selected element is another one, or none any more.
    void changed();

private:
    void elementChanged(ElementKind kind, int n, int what);
    void describe();

    const PlotDocument &m_document;
    QWidget *m_described;
    PlotView::Target m_target;
};
