#include "PlotWindow.h"

#include "ActionMenu.h"
#include "ActionMenuFrame.h"
#include "Carrying.h"
#include "FindCommand.h"
#include "FindPanel.h"
#include "IconItem.h"
#include "IconSet.h"
#include "KeyboardEditing.h"
#include "LocateMarker.h"
#include "NoteItem.h"
#include "OutsideChanges.h"
#include "PaletteFrame.h"
#include "PasteCommand.h"
#include "Placing.h"
#include "PlotDocument.h"
#include "PlotScene.h"
#include "PlotView.h"
#include "Selection.h"
#include "SnapshotCommand.h"
#include "TableAccess.h"
#include "TableFileKey.h"
#include "TableGuard.h"
#include "Twips.h"
#include "WindowServices.h"
#include "WindowTitle.h"
#include "ZoomController.h"

#include <QAction>

#include <QApplication>
#include <QCloseEvent>
#include <QCursor>
#include <QDir>
#include <QFileInfo>
#include <QPushButton>
#include <QScrollBar>
#include <QUndoStack>
#include <QVBoxLayout>

#include <array>
#include <utility>
#include <cmath>

namespace {

QSize clientPixels(float widthTwips, float heightTwips)
{
    return QSize(qMax(1, qRound(Twips::toPixels(widthTwips))),
                 qMax(1, qRound(Twips::toPixels(heightTwips))));
}

QSizeF twipsOf(const QPixmap &picture)
{
    return QSizeF(Twips::fromPixels(picture.width()), Twips::fromPixels(picture.height()));
}

const QString kCrLf = QStringLiteral("\r\n");

constexpr int kLongestShownName = 260;

} // namespace

PlotWindow::PlotWindow(const QString &path, const ProgramFolder &folder,
                       WindowServices &services, CutClipboard &clipboard, QWidget *parent)
    : QWidget(parent)
    , m_path(path)
    , m_folder(folder)
    , m_file(TableFileKey::of(folder.tableFile(path)))
    , m_services(services)
    , m_clipboard(clipboard)
    , m_document(new PlotDocument(this))
    , m_scene(new PlotScene(*m_document, [this](const QString &key) { return iconPicture(key); },
                            this))
    , m_view(new PlotView(m_scene, this))
    , m_clientSize(clientPixels(8565, 6315))
    , m_guard(new TableGuard(*m_document, services, folder, this))
    , m_access(new TableAccess(services))
{
    connect(m_guard, &TableGuard::statusMessage, this, &PlotWindow::statusMessage);
    connect(m_document, &PlotDocument::changeRefused, this, &PlotWindow::statusMessage);
    setWindowTitle(QStringLiteral("Plotting Table"));
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_view);

    // The frames pop up over the view's picture, in this stacking order.
    QWidget *surface = m_view->viewport();
    m_palette = new PaletteFrame(surface);
    m_palette->setIconPicture([this](qint32 n) { return iconPicture(QString::number(n)); });
    m_palette->hide();
    m_actionMenuFrame = new ActionMenuFrame(surface);
    m_actionMenuFrame->hide();
    m_locateMarker = new LocateMarker(surface);
    m_locateMarker->hide();
    m_findPanel = new FindPanel(surface);
    m_findPanel->hide();

    m_selection = new Selection(*m_document, m_view, this);
    m_placing = new Placing(*this);
    m_carrying = new Carrying(*this);
    m_actionMenu = new ActionMenu(*this);
    m_keyboard = new KeyboardEditing(*this);
    m_paste = new PasteCommand(*this);
    m_find = new FindCommand(*this);
    m_snapshot = new SnapshotCommand(*this);

    m_view->setFocusPolicy(Qt::StrongFocus);
    m_outside = new OutsideChanges(*this);
    m_zoom = new ZoomController(*m_view, this);
    addActions(m_zoom->actions());
    auto *escapeAction = new QAction(this);
    escapeAction->setShortcut(Qt::Key_Escape);
    escapeAction->setShortcutContext(Qt::WidgetWithChildrenShortcut);
    connect(escapeAction, &QAction::triggered, this, &PlotWindow::escape);
    addAction(escapeAction);
}

QList<QAction *> PlotWindow::zoomActions() const
{
    return m_zoom->actions();
}

void PlotWindow::escape()
{
    // The pop-up opened last lies on top and goes first.
    QWidget *top = nullptr;
    QPushButton *closeButton = nullptr;
    const QObjectList stacking = m_view->viewport()->children();
    const std::array<std::pair<QWidget *, QPushButton *>, 3> popUps = {
        std::pair<QWidget *, QPushButton *>{m_palette, m_palette->closeButton()},
        {m_actionMenuFrame, m_actionMenuFrame->closeButton()},
        {m_findPanel, m_findPanel->closeButton()}};
    for (const auto &[frame, button] : popUps) {
        if (!frame->isVisibleTo(m_view->viewport()))
            continue;
        if (!top || stacking.indexOf(frame) > stacking.indexOf(top)) {
            top = frame;
            closeButton = button;
        }
    }
    if (closeButton) {
        closeButton->click();
        return;
    }
    m_carrying->putDown();
    m_selection->clear();
    m_locateMarker->hide();
}

PlotWindow::~PlotWindow()
{
    // The tools watch the frames and the view; they go before those do.
    delete m_keyboard;
    delete m_zoom;
    delete m_snapshot;
    delete m_find;
    delete m_paste;
    delete m_actionMenu;
    delete m_carrying;
    delete m_placing;
    delete m_selection;
    delete m_access; // the lock goes with the window, however it ends
    m_view->setLifted({});
    // The scene goes before the view, and every item it deletes would mark
    // its place in the view for repainting: a region of tens of thousands
    // of rectangles, merged one by one, for a window already closed.
    m_view->setScene(nullptr);
}

IconItem *PlotWindow::iconItem(int n) const
{
    return m_scene->iconItem(n);
}

NoteItem *PlotWindow::noteItem(int n) const
{
    return m_scene->noteItem(n);
}

bool PlotWindow::load()
{
    m_services.setCurrentFolder(m_folder.path());
    const QString &file = m_file;
    const TableAccess::Mode access = m_access->open(file);
    if (access == TableAccess::Cancelled)
        return false;
    const bool readOnly = access == TableAccess::ReadOnly;
    m_document->setReadOnly(readOnly);
    m_guard->setAccess(readOnly ? TableGuard::Access::ReadOnly
                       : access == TableAccess::Shared ? TableGuard::Access::Shared
                                                       : TableGuard::Access::Own);
    QByteArray bytes;
    const PlotTableReader::Result result = m_document->load(file, &bytes);
    sizeIconsToPictures();
    m_scene->mirrorDocument();

    loadBackground();

    m_services.setCurrentFolder(m_folder.path());
    m_palette->setIconSetCount(m_folder.iconSetSize(m_document->iconSetName()));
    m_services.setCurrentFolder(m_folder.path());
    m_palette->showPage(qint16(m_palette->pageScrollBar()->value()));

    const PlotElement &background = m_document->element(ElementKind::Icon, 0);
    m_clientSize = clientPixels(background.width, background.height);
    // The scene's rectangle bounds its index of places. Without one the
    // scene measures all its items after every change to learn how far
    // they reach; given before anything asks the index, it costs nothing.
    m_scene->setSceneRect(QRectF(QPointF(0, 0), QSizeF(m_clientSize)));
    resize(m_clientSize);
    updateGeometry();

    // The title shows an unsaved change the platform's way once the table
    // has a step that closing would write.
    setWindowTitle(
        WindowTitle::forFile(m_path, readOnly ? QStringLiteral(" (read-only)") : QString()));
    connect(m_document->undoStack(), &QUndoStack::cleanChanged, this,
            [this](bool clean) { setWindowModified(!clean); });

    // Last, so that recovered edits show on a complete window.
    if (!m_guard->opened(file, bytes, result))
        return false;
    if (!m_access->notice().isEmpty())
        emit statusMessage(m_access->notice());
    m_outside->watch(file, bytes);
    return true;
}

void PlotWindow::reload(const QByteArray &bytes)
{
    // Nothing picked up, marked or listed may point into the table that
    // goes; the journal of that table goes before the new one is sized.
    m_carrying->putDown();
    m_locateMarker->hide();
    m_findPanel->hide();
    m_guard->journal().discard();
    const QString background = m_document->backgroundName();
    const QString iconSet = m_document->iconSetName();
    const PlotTableReader::Result result = m_document->reload(bytes);
    sizeIconsToPictures();
    if (m_document->backgroundName() != background) {
        loadBackground();
        const PlotElement &picture = m_document->element(ElementKind::Icon, 0);
        m_clientSize = clientPixels(picture.width, picture.height);
        m_scene->setSceneRect(QRectF(QPointF(0, 0), QSizeF(m_clientSize)));
        updateGeometry();
    } else
        m_view->setBackgroundPicture(m_view->backgroundPicture()); // drawn again, all of it
    if (m_document->iconSetName() != iconSet) {
        m_palette->setIconSetCount(m_folder.iconSetSize(m_document->iconSetName()));
        m_palette->showPage(qint16(m_palette->pageScrollBar()->value()));
    }
    m_guard->reloaded(bytes, result);
}

void PlotWindow::sizeIconsToPictures()
{
    // An icon shows its picture unscaled and takes its size; without one it
    // keeps the size it had.
    const int count = m_document->count(ElementKind::Icon);
    for (int n = 1; n <= count; ++n) {
        const QString &key = m_document->element(ElementKind::Icon, n).pictureKey;
        const QPixmap picture = key.isEmpty() ? QPixmap() : iconPicture(key);
        if (!picture.isNull())
            m_document->setSize(ElementKind::Icon, n, twipsOf(picture));
    }
}

void PlotWindow::loadBackground()
{
    const QString &name = m_document->backgroundName();
    const QString relative = QStringLiteral("Plot Templates/") + name;
    const QPixmap background = m_pictures.picture(m_folder, relative);
    const QSize tooLarge = m_pictures.tooLargeSize(relative);
    if (background.isNull()) {
        const QString sep = QDir::separator();
        // A name longer than any real file name (a garbled file) is cut
        // short, so that the message box stays readable.
        QString shown = name;
        if (shown.size() > kLongestShownName)
            shown = shown.left(kLongestShownName / 2) + QStringLiteral("...")
                    + shown.right(kLongestShownName / 2);
        const QString file = u'\'' + m_folder.templatesFolder() + sep + shown + u'\'' + kCrLf;
        const QString message = tooLarge.isValid()
            ? QStringLiteral("Picture Too Large: ") + kCrLf + file
                  + QStringLiteral("is %1 x %2 pixels, more than this computer can hold for one "
                                   "picture.")
                        .arg(tooLarge.width())
                        .arg(tooLarge.height())
                  + kCrLf + kCrLf
                  + QStringLiteral("Please make the picture smaller, or edit the 'Plot Template' "
                                   "to name a smaller one.")
            : QStringLiteral("Missing File: ") + kCrLf + file
                  + QStringLiteral("cannot be found in the 'Plot Templates' directory.") + kCrLf
                  + kCrLf
                  + QStringLiteral("This file may have been moved or renamed. Please replace "
                                   "this file or edit the 'Plot Template' to reflect it's new "
                                   "name.");
        m_services.showMessage(message, MessageIcon::Exclamation);
    }
    const PlotElement &current = m_document->element(ElementKind::Icon, 0);
    m_document->setBackgroundSize(background.isNull() ? QSizeF(current.width, current.height)
                                                      : twipsOf(background));
    m_view->setBackgroundPicture(background);
}

QPixmap PlotWindow::iconPicture(const QString &key)
{
    return m_pictures.picture(m_folder, IconSet::picturePath(m_document->iconSetName(), key));
}

bool PlotWindow::refusedAsFull(ElementKind kind) const
{
    if (!m_document->isFull(kind))
        return false;
    m_services.showMessage(QStringLiteral("This Plot Table already holds 32767 %1s, the most "
                                          "it can hold. No %1 was added.")
                               .arg(kind == ElementKind::Icon ? QStringLiteral("icon")
                                                              : QStringLiteral("note")),
                           MessageIcon::Exclamation);
    return true;
}

int PlotWindow::addIcon(qint32 number, const QString &text, QPointF topLeft)
{
    if (refusedAsFull(ElementKind::Icon))
        return 0;
    // An icon shows its picture unscaled. Without one it still needs a size
    // a user can reach, not the template's, which is the whole background.
    const QPixmap picture = iconPicture(QString::number(number));
    const QSizeF size = picture.isNull() ? QSizeF(360, 375) : twipsOf(picture);
    return m_document->addIcon(number, text, topLeft, size);
}

int PlotWindow::addNote(const QString &text, QPointF topLeft)
{
    if (refusedAsFull(ElementKind::Note))
        return 0;
    return m_document->addNote(text, topLeft);
}

PlotView::Target PlotWindow::pickedUp() const
{
    return m_selection->current();
}

bool PlotWindow::editPickedUp()
{
    return applyToPickedUp(ActionMenu::Edit);
}

bool PlotWindow::cutPickedUp()
{
    return applyToPickedUp(ActionMenu::Cut);
}

bool PlotWindow::deletePickedUp()
{
    return applyToPickedUp(ActionMenu::Delete);
}

bool PlotWindow::applyToPickedUp(int choice)
{
    const PlotView::Target target = pickedUp();
    if (target.kind == PlotView::Target::Background)
        return false;
    m_actionMenu->apply(ActionMenu::Choice(choice), target);
    return true;
}

void PlotWindow::paste()
{
    // Over the picture means over this view and not over another window
    // that covers it.
    QWidget *surface = m_view->viewport();
    QWidget *under = QApplication::widgetAt(QCursor::pos());
    const bool over = under && (under == surface || surface->isAncestorOf(under));
    const QPoint at = over ? surface->mapFromGlobal(QCursor::pos()) : QPoint(0, 0);
    const QPointF pixels = m_view->mapToScene(at);
    pasteAt(QPointF(std::round(Twips::fromPixels(pixels.x())),
                    std::round(Twips::fromPixels(pixels.y()))));
}

void PlotWindow::pasteAt(QPointF twips)
{
    m_paste->pasteAt(twips);
}

void PlotWindow::showFind()
{
    m_find->showPanel();
}

void PlotWindow::saveSnapshot()
{
    m_snapshot->saveSnapshot();
}

int PlotWindow::save()
{
    const TableGuard::SaveResult result = m_guard->save();
    // Written elsewhere, when its own file could not be: the window is now
    // that table's.
    if (result == TableGuard::Saved && m_guard->file() != m_folder.tableFile(m_path)) {
        m_path = m_guard->file();
        setWindowTitle(WindowTitle::forFile(m_path));
    }
    // The file changed by this window's own hand is no change from outside.
    if (result == TableGuard::Saved)
        m_outside->watch(m_guard->file(), m_guard->savedBytes());
    return result;
}

void PlotWindow::setEndingBySignal()
{
    m_guard->setEndingBySignal();
}

void PlotWindow::closeEvent(QCloseEvent *event)
{
    if (m_closing) {
        event->accept();
        return;
    }
    m_closing = true;
    if (!m_guard->close()) {
        // The user keeps the window open, with everything as it was.
        m_closing = false;
        event->ignore();
        return;
    }
    // Written, or kept in its journal: either way others may have it now.
    m_outside->stop();
    m_access->release();
    emit closing(this);
    event->accept();
}
