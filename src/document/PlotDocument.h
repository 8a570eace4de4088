#pragma once

#include "PlotTable.h"
#include "PlotTableReader.h"

#include <QObject>
#include <QPointF>
#include <QSizeF>
#include <QVector>

class QUndoStack;

// One open plot table: its picture names and its icons and notes. This is
// the only code that changes an element; whatever else shows or keeps an
// element (the scene's items, the Find list) follows the signals below.
// Every user's change passes through here, which is what lets undo and the
// recovery journal see all of them in one place.
//
// Elements are never taken away: removing one only makes it not live, so
// an element number stays valid for as long as the document exists, and
// the numbers handed out only ever grow.
//
// The plain changes below are what undo, redo and recovery replay. A
// user's change goes through the functions under "As the user does it",
// which make it and record it as one step of the table's history.
class PlotDocument : public QObject
{
    Q_OBJECT
public:
    // What about an element a change touched.
    enum Change { Place = 0x1, Text = 0x2, Live = 0x4, Size = 0x8 };
    Q_DECLARE_FLAGS(Changes, Change)

    explicit PlotDocument(QObject *parent = nullptr);

    // Reads the table from its file; what cannot be read is left out.
    // bytes: the file's bytes as read.
    PlotTableReader::Result load(const QString &path, QByteArray *bytes);
    // Takes the table from bytes read again from its file, in place of
    // everything held now; the history goes with the table it was about.
    PlotTableReader::Result reload(const QByteArray &bytes);

    // A table open read-only refuses every change a user asks for, saying
    // so through changeRefused() rather than with a box.
    void setReadOnly(bool readOnly) { m_readOnly = readOnly; }
    bool isReadOnly() const { return m_readOnly; }
    // True, once said, when the user may not change this table.
    bool refusesChanges();

    const PlotTable &table() const { return m_table; }
    const QString &backgroundName() const { return m_table.backgroundName; }
    const QString &iconSetName() const { return m_table.iconSetName; }

    // Element n (1..count) of a kind; element 0 is the kind's template.
    const PlotElement &element(ElementKind kind, int n) const { return elements(kind)[n]; }
    int count(ElementKind kind) const { return elements(kind).count(); }
    // Element numbers are 16-bit: a kind that holds 32767 takes no more.
    bool isFull(ElementKind kind) const { return count(kind) >= IconNumber::Max; }

    // The icons' template takes the background picture's size, which is
    // also the size the table's window opens at.
    void setBackgroundSize(QSizeF twips);

    // Changes. The adding ones append a live element and return its number
    // (0 when the kind is full); the others change element n of a kind.
    // An icon shows picture icon_<number>.jpg of the table's set at size
    // (twips); a note takes its template's size.
    int addIcon(qint32 number, const QString &text, QPointF topLeft, QSizeF size);
    int addNote(const QString &text, QPointF topLeft);
    int add(ElementKind kind, const PlotElement &element);
    void move(ElementKind kind, int n, QPointF topLeft);
    void setText(ElementKind kind, int n, const QString &text);
    void setLive(ElementKind kind, int n, bool live);
    void setSize(ElementKind kind, int n, QSizeF twips);

    // As the user does it. An element placed or pasted is added first (so
    // that it shows while its text is asked for) and then recorded; the
    // verb names the step ("Place", "Paste").
    QUndoStack *undoStack() const { return m_undoStack; }
    void recordAdded(ElementKind kind, int n, const QString &verb);
    // One move of a carry; the moves of one carry make one step.
    struct Carried
    {
        ElementKind kind;
        int n;
    };
    void carry(int carryId, const QVector<Carried> &elements, QPointF topLeft);
    void edit(ElementKind kind, int n, const QString &text);
    void cut(ElementKind kind, int n);
    void remove(ElementKind kind, int n);

signals:
    void elementAdded(ElementKind kind, int n);
    // Every element may be another one now (see reload()).
    void reloaded();
    void changeRefused(const QString &text);
    void elementChanged(ElementKind kind, int n, PlotDocument::Changes what);

private:
    ElementArray &elements(ElementKind kind);
    const ElementArray &elements(ElementKind kind) const;

    PlotTable m_table;
    QUndoStack *m_undoStack;
    bool m_readOnly = false;
};

Q_DECLARE_OPERATORS_FOR_FLAGS(PlotDocument::Changes)
