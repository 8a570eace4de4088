#include "NewPlotTable.h"

#include "CaseInsensitivePath.h"
#include "MainWindow.h"
#include "PlotTableWriter.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace {

// Characters no file name may hold on the program's first platform.
QString withoutForbiddenCharacters(QString name)
{
    for (QChar forbidden : QStringLiteral("\"?/\\|*><:"))
        name.remove(forbidden);
    return name;
}

// The folder below the program folder, created when it is missing so that
// the new table can be written and, later, saved.
QString folderBelow(const ProgramFolder &programFolder, const QString &name)
{
    const QString folder = programFolder.resolve(name);
    if (!QFileInfo(folder).isDir())
        QDir().mkpath(folder);
    return folder;
}

} // namespace

void NewPlotTable::run()
{
    WindowServices &services = m_main.services();
    const ProgramFolder &folder = m_main.programFolder();
    const QString sep = QDir::separator();
    const QString templates = folderBelow(folder, QStringLiteral("Plot Templates"));
    const QString tables = folderBelow(folder, QStringLiteral("Plot Tables"));
    services.setCurrentFolder(folder.path());
    services.setCurrentFolder(templates);

    const QString fileName = withoutForbiddenCharacters(
        services.askText(QStringLiteral("Plotting Table Name: ")) + QStringLiteral(".plt"));
    const QString tablePath = tables + u'/' + fileName;
    if (ProgramFolder::isReadableFile(tablePath)) {
        services.showMessage(QStringLiteral("File already exists!"));
        return;
    }

    FileDialogRequest picture;
    picture.folder = folder.templatesFolder();
    picture.title = QStringLiteral("Choose background Image File");
    picture.filter =
        QStringLiteral("JPG Files|*.jpg|BMP Files|*.bmp|JPEG Files|*.jpeg|GIF Files|*.gif");
    if (!services.askOpenFile(picture))
        return;

    // A picture of that name already in the templates is the one the table
    // uses, even when it is another picture than the one chosen.
    const QString destination = CaseInsensitivePath(templates).resolve(picture.fileName);
    if (!ProgramFolder::isReadableFile(destination)) {
        QFile::remove(destination);
        QFile::copy(picture.path, destination);
    }

    const QString iconSet = services.askText(QStringLiteral("Icon Set (Directory Name): "),
                                              QStringLiteral("Choose Icon Set"),
                                              QStringLiteral("BasicSet"));
    PlotTableWriter().writeNew(tablePath, picture.fileName, iconSet);
    m_main.openFile(folder.tablesFolder() + sep + fileName);
}
