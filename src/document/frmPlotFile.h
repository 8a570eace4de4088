#pragma once

#include "PictureCache.h"
#include "PlotTable.h"
#include "PlotTableReader.h"

#include <QPixmap>
#include <QVector>
#include <QWidget>

class ActionMenu;
class FindCommand;
class FindPanel;
class LocateMarker;
class SnapshotCommand;
class ActionMenuFrame;
class ElementItem;
class IconItem;
class MDIForm1;
class NoteItem;
class PaletteFrame;
class PasteCommand;
class Placing;
class PlotView;
class QGraphicsScene;

// A document window: one plot table. It holds the document's fields and
// its element arrays; the scene shows them, and each part of the editor
// (palette, placing, menus, find, snapshot) adds its own frame and
// handlers to it.
class frmPlotFile : public QWidget
{
    Q_OBJECT
public:
    explicit frmPlotFile(MDIForm1 &main, QWidget *parent = nullptr);
    ~frmPlotFile() override;

    // Builds the window from the file named by the main window's
    // PlotFileName. Never refuses: what cannot be loaded is left out, and
    // only a missing background picture is reported.
    void Form_Load();

    // Counts the icon set into iconSetCount.
    void iconcounter();
    void RefreshPalette(qint16 first);

    // Makes the scene show what element k says after it changed.
    void iconChanged(int k);
    void noteChanged(int k);
    // To be called whenever carriedIcon or carriedNote changed: the view
    // draws the carried elements over the scene while they are carried.
    void carriedChanged();

    // Adds a live element made from the template at a top-left corner in
    // twips, and returns its number; 0 when the window holds as many as it
    // can (the user is told). placedSize: start from the 360 x 375 twips
    // of a placed icon rather than the template's size.
    int addIcon(qint32 number, const QString &text, QPointF topLeft, bool placedSize);
    int addNote(const QString &text, qint32 number, QPointF topLeft);

    bool isClosing() const { return m_closed; }

    // The picture of icon `key` (a number as text) of this table's set.
    QPixmap iconPicture(const QString &key);

    int iconElementCount() const { return doc.Image1.UBound(); }
    int noteElementCount() const { return doc.Label1.UBound(); }

    QSize sizeHint() const override { return m_clientSize; }

    MDIForm1 &main() const { return m_main; }
    PlotView *view() const { return m_view; }
    QGraphicsScene *scene() const { return m_scene; }
    IconItem *iconItem(int k) const { return m_iconItems.value(k); }
    NoteItem *noteItem(int k) const { return m_noteItems.value(k); }

    QString plotFilePath;
    PlotTable doc; // backgroundName, iconSetName, Image1, Label1
    qint16 iconSetCount = 0;

    // Editing state.
    bool paletteOpen = false;
    qint16 paletteChoice = 0;
    qint16 carriedIcon = 0;
    qint16 carriedNote = 0;
    bool actionMenuOpen = false;
    qint16 actionChoice = 0;

    PaletteFrame *Frame1 = nullptr;
    ActionMenuFrame *Frame2 = nullptr;
    FindPanel *Frame3 = nullptr;
    LocateMarker *Shape1 = nullptr;
    Placing *placing() const { return m_placing; }

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    QString absolutePlotPath() const;
    // True, after telling the user, when no more elements of a kind fit.
    bool isFull(int count, const QString &kind) const;
    void loadElements();
    void addToScene(ElementItem *item);
    void loadBackground();
    void saveOnClose();

    MDIForm1 &m_main;
    Placing *m_placing = nullptr;
    ActionMenu *m_actionMenu = nullptr;
    PasteCommand *m_paste = nullptr;
    FindCommand *m_find = nullptr;
    SnapshotCommand *m_snapshot = nullptr;
    QGraphicsScene *m_scene;
    PlotView *m_view;
    PictureCache m_pictures;
    QVector<IconItem *> m_iconItems; // by element number; 0 is unused
    QVector<NoteItem *> m_noteItems;
    qint64 m_itemsAdded = 0;
    QSize m_clientSize;
    PlotTableReader::Result m_readResult = PlotTableReader::OpenFailed;
    bool m_fileExisted = false;
    bool m_closed = false;
};
