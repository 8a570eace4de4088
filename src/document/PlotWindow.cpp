#include "PlotWindow.h"

#include "ActionMenu.h"
#include "ActionMenuFrame.h"
#include "Carrying.h"
#include "FindCommand.h"
#include "FindPanel.h"
#include "IconItem.h"
#include "IconSet.h"
#include "LocateMarker.h"
#include "NoteItem.h"
#include "PaletteFrame.h"
#include "PasteCommand.h"
#include "Placing.h"
#include "PlotDocument.h"
#include "PlotScene.h"
#include "PlotTableSaver.h"
#include "PlotView.h"
#include "SnapshotCommand.h"
#include "Twips.h"
#include "WindowServices.h"

#include <QApplication>
#include <QCloseEvent>
#include <QCursor>
#include <QDir>
#include <QFileInfo>
#include <QScrollBar>
#include <QVBoxLayout>

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
    , m_services(services)
    , m_clipboard(clipboard)
    , m_document(new PlotDocument(this))
    , m_scene(new PlotScene(*m_document, [this](const QString &key) { return iconPicture(key); },
                            this))
    , m_view(new PlotView(m_scene, this))
    , m_clientSize(clientPixels(8565, 6315))
{
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

    m_placing = new Placing(*this);
    m_carrying = new Carrying(*this);
    m_actionMenu = new ActionMenu(*this);
    m_paste = new PasteCommand(*this);
    m_find = new FindCommand(*this);
    m_snapshot = new SnapshotCommand(*this);
}

PlotWindow::~PlotWindow()
{
    // The tools watch the frames and the view; they go before those do.
    delete m_snapshot;
    delete m_find;
    delete m_paste;
    delete m_actionMenu;
    delete m_carrying;
    delete m_placing;
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

void PlotWindow::load()
{
    m_services.setCurrentFolder(m_folder.path());
    const QString file = m_folder.tableFile(m_path);
    m_fileExisted = QFileInfo::exists(file);
    m_readResult = m_document->load(file);
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
    const QPixmap background =
        m_pictures.picture(m_folder, QStringLiteral("Plot Templates/") + name);
    if (background.isNull()) {
        const QString sep = QDir::separator();
        // A name longer than any real file name (a garbled file) is cut
        // short, so that the message box stays readable.
        QString shown = name;
        if (shown.size() > kLongestShownName)
            shown = shown.left(kLongestShownName / 2) + QStringLiteral("...")
                    + shown.right(kLongestShownName / 2);
        m_services.showMessage(
            QStringLiteral("Missing File: ") + kCrLf + u'\'' + m_folder.templatesFolder() + sep
                + shown + u'\'' + kCrLf
                + QStringLiteral("cannot be found in the 'Plot Templates' directory.") + kCrLf
                + kCrLf
                + QStringLiteral("This file may have been moved or renamed. Please replace this "
                                 "file or edit the 'Plot Template' to reflect it's new name."),
            MessageIcon::Exclamation);
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

int PlotWindow::addIcon(qint32 number, const QString &text, QPointF topLeft, bool placedSize)
{
    if (refusedAsFull(ElementKind::Icon))
        return 0;
    // An icon shows its picture unscaled; without one it keeps the size it
    // starts from.
    const QPixmap picture = iconPicture(QString::number(number));
    const PlotElement &iconTemplate = m_document->element(ElementKind::Icon, 0);
    QSizeF size = placedSize ? QSizeF(360, 375) : QSizeF(iconTemplate.width, iconTemplate.height);
    if (!picture.isNull())
        size = twipsOf(picture);
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
    const struct { PlotView::Target::Kind kind; ElementKind element; int n; } picked[] = {
        {PlotView::Target::Icon, ElementKind::Icon, m_carrying->carriedIcon()},
        {PlotView::Target::Note, ElementKind::Note, m_carrying->carriedNote()},
    };
    // A cut or deleted element stays picked up until the pointer moves on;
    // it is gone for the user all the same.
    for (const auto &p : picked) {
        if (p.n > 0 && m_document->element(p.element, p.n).live)
            return {p.kind, p.n};
    }
    return {};
}

bool PlotWindow::cutPickedUp()
{
    const PlotView::Target target = pickedUp();
    if (target.kind == PlotView::Target::Background)
        return false;
    m_actionMenu->apply(ActionMenu::Cut, target);
    return true;
}

bool PlotWindow::deletePickedUp()
{
    const PlotView::Target target = pickedUp();
    if (target.kind == PlotView::Target::Background)
        return false;
    m_actionMenu->apply(ActionMenu::Delete, target);
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

void PlotWindow::closeEvent(QCloseEvent *event)
{
    if (!m_closing) {
        m_closing = true;
        emit closing(this);
        saveOnClose();
    }
    event->accept();
}

void PlotWindow::saveOnClose()
{
    // A file that was there but was not read as a plot table is never
    // overwritten with what the program made of it.
    QString keepReason;
    if (m_readResult == PlotTableReader::Incomplete)
        keepReason = QStringLiteral("it ends before its [Notes] line, so it is no Plot Table");
    else if (m_readResult == PlotTableReader::OpenFailed && m_fileExisted)
        keepReason = QStringLiteral("it could not be read");
    PlotTableSaver(m_services, m_folder)
        .save(m_folder.tableFile(m_path), m_document->table(), keepReason);
}
