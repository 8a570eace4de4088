#include "SnapshotCommand.h"

#include "MDIForm1.h"
#include "PaletteFrame.h"
#include "PlotView.h"
#include "frmPlotFile.h"

#include <QDir>
#include <QImageWriter>
#include <QLabel>
#include <QPushButton>
#include <QSaveFile>

namespace {

const QString kSnapshotName = QStringLiteral("Quenbrack.bmp");

// The desktop's own way of opening a file with its default program.
QString imageProgram()
{
#if defined(Q_OS_WIN)
    return QStringLiteral("mspaint");
#elif defined(Q_OS_MACOS)
    return QStringLiteral("open");
#else
    return QStringLiteral("xdg-open");
#endif
}

} // namespace

SnapshotCommand::SnapshotCommand(frmPlotFile &window)
    : QObject(&window)
    , m_window(window)
    , m_canvas(new QLabel(&window))
{
    m_canvas->setObjectName(QStringLiteral("Picture1"));
    m_canvas->hide();
    connect(window.Frame1->Command2, &QPushButton::clicked, this,
            &SnapshotCommand::Command2_Click);
}

void SnapshotCommand::Command2_Click()
{
    MDIForm1 &main = m_window.main();
    main.services().setCurrentFolder(main.appPath());
    // The palette is never in the picture.
    m_window.Frame1->hide();
    m_window.paletteOpen = false;
    SaveFormImageToFile(&m_window, m_canvas, main.appPath() + QDir::separator() + kSnapshotName);
    // Nothing is reported: without an image program the file is still there.
    main.services().startProgram(imageProgram(), {kSnapshotName}, main.appPath());
}

bool SaveFormImageToFile(frmPlotFile *ContainerForm, QLabel *PictureBoxControl,
                         const QString &ImageFileName)
{
    PlotView *view = ContainerForm->view();
    // Let the window repaint where the palette was before it is copied.
    QPixmap copy = view->grab(view->viewport()->rect());
    copy.setDevicePixelRatio(1.0);
    PictureBoxControl->setPixmap(copy);
    PictureBoxControl->resize(copy.size());

    QSaveFile file(ImageFileName);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    QImageWriter writer(&file, "bmp");
    if (!writer.write(copy.toImage())) {
        file.cancelWriting();
        return false;
    }
    return file.commit();
}
