#pragma once

#include "PictureCache.h"
#include "PlotElement.h"
#include "PlotTableReader.h"
#include "PlotView.h"
#include "ProgramFolder.h"

#include <QPixmap>
#include <QPointF>
#include <QWidget>

class ActionMenu;
class ActionMenuFrame;
class Carrying;
class FindCommand;
class FindPanel;
class IconItem;
class KeyboardEditing;
class LocateMarker;
class NoteItem;
class OutsideChanges;
class TableAccess;
class PaletteFrame;
class PasteCommand;
class Placing;
class PlotDocument;
class PlotScene;
class Selection;
class SnapshotCommand;
class TableGuard;
class WindowServices;
class ZoomController;
class QAction;
struct CutClipboard;

// The window of one plot table: its document, the view that shows it, the
// frames that pop up over the view (palette, action menu, Find panel, the
// locate marker) and the tools that act on it. It knows nothing of the main
// window; it is given what it needs when made and says when it closes.
class PlotWindow : public QWidget
{
    Q_OBJECT
public:
    // path: the table's file as the user named it, also the window's title.
    PlotWindow(const QString &path, const ProgramFolder &folder, WindowServices &services,
               CutClipboard &clipboard, QWidget *parent = nullptr);
    ~PlotWindow() override;

    // Builds the window from its file. What cannot be loaded is left out,
    // and only a missing background picture is reported. False only when
    // the user chose to leave the table closed (Cancel in the recovery
    // question, or in the question about who else has it open).
    bool load();
    // Takes the table from the file's bytes again, keeping zoom and scroll.
    void reload(const QByteArray &bytes);

    const QString &path() const { return m_path; }
    // The file itself, however its path was spelled (TableFileKey): what
    // tells whether a table is open already.
    const QString &file() const { return m_file; }
    OutsideChanges *outsideChanges() const { return m_outside; }
    PlotDocument *document() const { return m_document; }
    PlotScene *scene() const { return m_scene; }
    PlotView *view() const { return m_view; }
    IconItem *iconItem(int n) const;
    NoteItem *noteItem(int n) const;

    PaletteFrame *palette() const { return m_palette; }
    ActionMenuFrame *actionMenuFrame() const { return m_actionMenuFrame; }
    FindPanel *findPanel() const { return m_findPanel; }
    LocateMarker *locateMarker() const { return m_locateMarker; }
    Placing *placing() const { return m_placing; }
    Carrying *carrying() const { return m_carrying; }
    ActionMenu *actionMenu() const { return m_actionMenu; }
    ZoomController *zoomController() const { return m_zoom; }
    Selection *selection() const { return m_selection; }

    // Zoom In, Zoom Out, Fit Window and Actual Size for this window, in
    // menu order; their shortcuts work while the window has the focus.
    QList<QAction *> zoomActions() const;
    SnapshotCommand *snapshotCommand() const { return m_snapshot; }

    const ProgramFolder &programFolder() const { return m_folder; }
    WindowServices &services() const { return m_services; }
    CutClipboard &clipboard() const { return m_clipboard; }

    // Adds a live element at a top-left corner in twips and returns its
    // number; 0 when the table holds as many as it can (the user is told).
    // An icon takes its picture's size, or 360 x 375 twips without one.
    int addIcon(qint32 number, const QString &text, QPointF topLeft);
    int addNote(const QString &text, QPointF topLeft);

    // The picture of icon `key` (a number as text) of this table's set.
    QPixmap iconPicture(const QString &key);

    // True from the moment the window starts closing: a wait that ends
    // after that applies nothing.
    bool isClosing() const { return m_closing; }
    TableGuard *guard() const { return m_guard; }
    // See TableGuard::setEndingBySignal().
    void setEndingBySignal();

    QSize sizeHint() const override { return m_clientSize; }

    // The selected element (see Selection); Background when there is none.
    PlotView::Target pickedUp() const;

public slots:
    // The menu bar's commands on this table, each the same as its button in
    // a pop-up frame. Edit, Cut and Delete act on the selected element and
    // return false when there is none.
    bool editPickedUp();
    bool cutPickedUp();
    bool deletePickedUp();
    // Writes the table now, as closing does; see TableGuard::save().
    int save();
    // Pastes at the pointer when it is over this table's picture, otherwise
    // at the top-left corner of the part that shows.
    void paste();
    void pasteAt(QPointF twips);
    void showFind();
    void saveSnapshot();

signals:
    // The window closes; its table was written.
    void closing(PlotWindow *window);
    // A message for the status bar.
    void statusMessage(const QString &text);

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    // Edit, Cut or Delete (an ActionMenu choice) on the selection; false without one.
    bool applyToPickedUp(int choice);
    // Escape: closes the topmost pop-up as its X does; with none open, puts
    // down what is picked up and takes the locate marker away.
    void escape();
    // True, after telling the user, when no more elements of a kind fit.
    bool refusedAsFull(ElementKind kind) const;
    void sizeIconsToPictures();
    void loadBackground();

    QString m_path;
    ProgramFolder m_folder;
    QString m_file;
    WindowServices &m_services;
    CutClipboard &m_clipboard;
    PlotDocument *m_document;
    PictureCache m_pictures;
    PlotScene *m_scene;
    PlotView *m_view;
    PaletteFrame *m_palette;
    ActionMenuFrame *m_actionMenuFrame;
    FindPanel *m_findPanel;
    LocateMarker *m_locateMarker;
    Placing *m_placing = nullptr;
    Carrying *m_carrying = nullptr;
    ActionMenu *m_actionMenu = nullptr;
    PasteCommand *m_paste = nullptr;
    FindCommand *m_find = nullptr;
    SnapshotCommand *m_snapshot = nullptr;
    ZoomController *m_zoom = nullptr;
    Selection *m_selection = nullptr;
    KeyboardEditing *m_keyboard = nullptr;
    QSize m_clientSize;
    TableGuard *m_guard;
    TableAccess *m_access;
    OutsideChanges *m_outside = nullptr;
    bool m_closing = false;
};
