#include "SnapshotCommand.h"

#include "PaletteFrame.h"
#include "PlotWindow.h"
#include "Snapshot.h"
#include "WindowServices.h"

#include <QDir>
#include <QPushButton>

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

SnapshotCommand::SnapshotCommand(PlotWindow &window)
    : QObject(&window)
    , m_window(window)
{
    connect(window.palette()->snapshotButton(), &QPushButton::clicked, this,
            &SnapshotCommand::saveSnapshot);
}

void SnapshotCommand::saveSnapshot()
{
    const QString &folder = m_window.programFolder().path();
    WindowServices &services = m_window.services();
    services.setCurrentFolder(folder);
    // The palette is never in the picture.
    m_window.palette()->hide();
    const QString path = folder + QDir::separator() + kSnapshotName;
    const bool written = Snapshot::save(Snapshot::capture(*m_window.view()), path);
    // No message box: without an image program the file is still there,
    // and whoever shows the status says so.
    const bool shown = services.startProgram(imageProgram(), {kSnapshotName}, folder);
    emit snapshotSaved(path, written, shown);
}
