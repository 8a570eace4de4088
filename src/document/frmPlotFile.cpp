#include "frmPlotFile.h"

#include "ActionMenu.h"
#include "ActionMenuFrame.h"
#include "CaseInsensitivePath.h"
#include "FindCommand.h"
#include "FindPanel.h"
#include "LocateMarker.h"
#include "SnapshotCommand.h"
#include "IconItem.h"
#include "IconSet.h"
#include "MDIForm1.h"
#include "NoteItem.h"
#include "PaletteFrame.h"
#include "PasteCommand.h"
#include "Placing.h"
#include "PlotTableSaver.h"
#include "PlotView.h"
#include "Twips.h"

#include <QCloseEvent>
#include <QDir>
#include <QFileInfo>
#include <QGraphicsScene>
#include <QPushButton>
#include <QScrollBar>
#include <QVBoxLayout>

namespace {

// Element 0 of Image1: 15 x 15 twips at the top-left corner, no picture.
PlotElement iconTemplate()
{
    return PlotElement();
}

QSize clientPixels(float widthTwips, float heightTwips)
{
    return QSize(qMax(1, qRound(Twips::toPixels(widthTwips))),
                 qMax(1, qRound(Twips::toPixels(heightTwips))));
}

// An element given a picture shows it unscaled and takes its size; without
// one it keeps the size it had.
void takePictureSize(PlotElement &element, const QPixmap &picture)
{
    if (picture.isNull())
        return;
    element.width = float(Twips::fromPixels(picture.width()));
    element.height = float(Twips::fromPixels(picture.height()));
}

const QString kCrLf = QStringLiteral("\r\n");

// 2^10 leaves: 32 x 32, some 60 x 50 pixels each on a 2000 x 1500 background.
constexpr int kIndexDepth = 10;

constexpr int kLongestShownName = 260;

} // namespace

frmPlotFile::frmPlotFile(MDIForm1 &main, QWidget *parent)
    : QWidget(parent)
    , doc(iconTemplate(), noteTemplate())
    , m_main(main)
    , m_scene(new QGraphicsScene(this))
    , m_view(new PlotView(m_scene, this))
    , m_clientSize(clientPixels(8565, 6315))
{
    // The scene's index of places: by default its depth follows the number
    // of elements, and at thousands of them the leaves become smaller than
    // a note, which then sits in a hundred leaves and more. A fixed depth
    // keeps the leaves near an element's size on a background of a few
    // thousand pixels across.
    m_scene->setBspTreeDepth(kIndexDepth);
    setWindowTitle(QStringLiteral("Plotting Table"));
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_view);

    Frame1 = new PaletteFrame(m_view->viewport());
    Frame1->setIconPicture([this](qint32 n) { return iconPicture(QString::number(n)); });
    Frame1->hide();
    Frame2 = new ActionMenuFrame(m_view->viewport());
    Frame2->hide();
    Shape1 = new LocateMarker(m_view->viewport());
    Shape1->hide();
    Frame3 = new FindPanel(m_view->viewport());
    Frame3->hide();

    m_placing = new Placing(*this);
    m_actionMenu = new ActionMenu(*this, Frame2);
    m_paste = new PasteCommand(*this, *m_placing);
    m_find = new FindCommand(*this, Frame3, Shape1);
    m_snapshot = new SnapshotCommand(*this);
    connect(m_view, &PlotView::backgroundMouseDown, m_placing, &Placing::backgroundMouseDown);
    connect(m_view, &PlotView::backgroundMouseMove, m_placing, &Placing::backgroundMouseMove);
    connect(m_view, &PlotView::elementClicked, m_placing, &Placing::elementClicked);
    connect(m_view, &PlotView::elementMouseDown, m_actionMenu, &ActionMenu::elementMouseDown);
    // A drag that starts on the picked-up element carries it along.
    m_view->dragsAsBackground = [this](const PlotView::Target &target) {
        return (target.kind == PlotView::Target::Icon && target.element == carriedIcon)
               || (target.kind == PlotView::Target::Note && target.element == carriedNote);
    };
    m_iconItems.append(nullptr);
    m_noteItems.append(nullptr);
}

frmPlotFile::~frmPlotFile()
{
    // The editing parts watch the frames; they go before the frames do.
    delete m_snapshot;
    delete m_find;
    delete m_paste;
    delete m_actionMenu;
    delete m_placing;
    m_view->setLifted({});
    // The scene goes before the view, and every item it deletes would mark
    // its place in the view for repainting: a region of tens of thousands
    // of rectangles, merged one by one, for a window already closed.
    m_view->setScene(nullptr);
}

QString frmPlotFile::absolutePlotPath() const
{
    const QString &app = m_main.appPath();
    const CaseInsensitivePath paths(app);
    if (QDir::isRelativePath(plotFilePath))
        return paths.resolve(plotFilePath);
    // Below the program folder names match without regard to case.
    if (plotFilePath.startsWith(app + u'/'))
        return paths.resolve(plotFilePath.mid(app.size() + 1));
    return plotFilePath;
}

void frmPlotFile::Form_Load()
{
    m_main.services().setCurrentFolder(m_main.appPath());
    plotFilePath = m_main.PlotFileName;

    const QString path = absolutePlotPath();
    m_fileExisted = QFileInfo::exists(path);
    PlotTableReader reader;
    m_readResult = reader.read(path, doc);
    loadElements();
    carriedIcon = 0;
    carriedNote = 0;
    carriedChanged();

    loadBackground();

    iconcounter();
    Frame1->setIconSetCount(iconSetCount);
    RefreshPalette(qint16(Frame1->HScroll1->value()));

    m_clientSize = clientPixels(doc.Image1[0].width, doc.Image1[0].height);
    // The scene's rectangle bounds its index of places. Without one the
    // scene measures all its items after every change to learn how far
    // they reach; given before anything asks the index, it costs nothing.
    m_scene->setSceneRect(QRectF(QPointF(0, 0), QSizeF(m_clientSize)));
    resize(m_clientSize);
    updateGeometry();

    Frame1->hide();
    Frame2->hide();
    Shape1->hide();
    Frame3->hide();
}

void frmPlotFile::loadElements()
{
    const CaseInsensitivePath paths(m_main.appPath());
    m_iconItems.reserve(doc.Image1.UBound() + 1);
    for (int k = 1; k <= doc.Image1.UBound(); ++k) {
        PlotElement &icon = doc.Image1[k];
        QPixmap picture;
        if (!icon.pictureKey.isEmpty())
            picture = m_pictures.picture(paths, IconSet::picturePath(doc.iconSetName,
                                                                     icon.pictureKey));
        takePictureSize(icon, picture);
        auto *item = new IconItem(k);
        item->mirror(icon, picture);
        addToScene(item);
        m_iconItems.append(item);
    }
    m_noteItems.reserve(doc.Label1.UBound() + 1);
    for (int k = 1; k <= doc.Label1.UBound(); ++k) {
        auto *item = new NoteItem(k);
        item->mirror(doc.Label1[k]);
        addToScene(item);
        m_noteItems.append(item);
    }
    // The whole client area is new: one update of all of it, rather than
    // the view gathering every new element's place into one region, which
    // at tens of thousands of elements takes longer than painting them.
    m_scene->update();
}

void frmPlotFile::addToScene(ElementItem *item)
{
    item->setStackOrder(++m_itemsAdded);
    m_scene->addItem(item);
}

void frmPlotFile::loadBackground()
{
    const QString &app = m_main.appPath();
    const QPixmap background = m_pictures.picture(
        CaseInsensitivePath(app), QStringLiteral("Plot Templates/") + doc.backgroundName);
    PlotElement &element0 = doc.Image1[0];
    if (background.isNull()) {
        const QString sep = QDir::separator();
        // A name longer than any real file name (a garbled file) is cut
        // short, so that the message box stays readable.
        QString name = doc.backgroundName;
        if (name.size() > kLongestShownName)
            name = name.left(kLongestShownName / 2) + QStringLiteral("...")
                   + name.right(kLongestShownName / 2);
        m_main.services().MsgBox(
            QStringLiteral("Missing File: ") + kCrLf + u'\'' + app + sep
                + QStringLiteral("Plot Templates") + sep + name + u'\'' + kCrLf
                + QStringLiteral("cannot be found in the 'Plot Templates' directory.") + kCrLf
                + kCrLf
                + QStringLiteral("This file may have been moved or renamed. Please replace this "
                                 "file or edit the 'Plot Template' to reflect it's new name."),
            MessageIcon::Exclamation);
    }
    takePictureSize(element0, background);
    element0.top = 0;
    element0.left = 0;
    element0.visible = false;
    m_view->setBackgroundPicture(background);
}

void frmPlotFile::iconcounter()
{
    m_main.services().setCurrentFolder(m_main.appPath());
    iconSetCount = IconSet::count(CaseInsensitivePath(m_main.appPath()), doc.iconSetName);
}

void frmPlotFile::RefreshPalette(qint16 first)
{
    m_main.services().setCurrentFolder(m_main.appPath());
    Frame1->RefreshPalette(first);
}

QPixmap frmPlotFile::iconPicture(const QString &key)
{
    return m_pictures.picture(CaseInsensitivePath(m_main.appPath()),
                              IconSet::picturePath(doc.iconSetName, key));
}

bool frmPlotFile::isFull(int count, const QString &kind) const
{
    // Element numbers are 16-bit: past 32767 nothing more can be added.
    if (count < IconNumber::Max)
        return false;
    m_main.services().MsgBox(QStringLiteral("This Plot Table already holds 32767 %1s, the most "
                                            "it can hold. No %1 was added.")
                                 .arg(kind),
                             MessageIcon::Exclamation);
    return true;
}

namespace {
// A new element made from its template becomes a live one at a place.
void makeLive(PlotElement &element, qint32 number, const QString &text, QPointF topLeft)
{
    element.number = number;
    element.top = float(topLeft.y());
    element.left = float(topLeft.x());
    element.visible = true;
    element.text = text;
}
} // namespace

int frmPlotFile::addIcon(qint32 number, const QString &text, QPointF topLeft, bool placedSize)
{
    if (isFull(iconElementCount(), QStringLiteral("icon")))
        return 0;
    const int k = doc.Image1.Load();
    PlotElement &icon = doc.Image1[k];
    if (placedSize) {
        icon.height = 375.0f;
        icon.width = 360.0f;
    }
    icon.pictureKey = QString::number(number);
    const QPixmap picture = iconPicture(icon.pictureKey);
    takePictureSize(icon, picture);
    makeLive(icon, number, text, topLeft);
    auto *item = new IconItem(k);
    item->mirror(icon, picture);
    addToScene(item);
    m_iconItems.append(item);
    return k;
}

int frmPlotFile::addNote(const QString &text, qint32 number, QPointF topLeft)
{
    if (isFull(noteElementCount(), QStringLiteral("note")))
        return 0;
    const int k = doc.Label1.Load();
    PlotElement &note = doc.Label1[k];
    makeLive(note, number, text, topLeft);
    auto *item = new NoteItem(k);
    item->mirror(note);
    addToScene(item);
    m_noteItems.append(item);
    return k;
}

void frmPlotFile::iconChanged(int k)
{
    PlotElement &icon = doc.Image1[k];
    m_iconItems[k]->mirror(icon, icon.pictureKey.isEmpty() ? QPixmap()
                                                           : iconPicture(icon.pictureKey));
}

void frmPlotFile::noteChanged(int k)
{
    m_noteItems[k]->mirror(doc.Label1[k]);
}

void frmPlotFile::carriedChanged()
{
    m_view->setLifted({m_iconItems.value(carriedIcon), m_noteItems.value(carriedNote)});
}

void frmPlotFile::closeEvent(QCloseEvent *event)
{
    if (!m_closed) {
        m_closed = true;
        m_main.documentClosing(this);
        saveOnClose();
    }
    event->accept();
}

void frmPlotFile::saveOnClose()
{
    // A file that was there but was not read as a plot table is never
    // overwritten with what the program made of it.
    QString keepReason;
    if (m_readResult == PlotTableReader::Incomplete)
        keepReason = QStringLiteral("it ends before its [Notes] line, so it is no Plot Table");
    else if (m_readResult == PlotTableReader::OpenFailed && m_fileExisted)
        keepReason = QStringLiteral("it could not be read");
    PlotTableSaver(m_main.services(), m_main.appPath()).save(absolutePlotPath(), doc, keepReason);
}
