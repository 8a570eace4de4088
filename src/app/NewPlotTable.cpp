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

// The icon sets to choose from: the folders below Icons.
QStringList iconSets(const ProgramFolder &programFolder)
{
    return QDir(programFolder.resolve(QStringLiteral("Icons")))
        .entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name | QDir::IgnoreCase);
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

    // Cancel ends New here; an empty answer given with OK goes on, as it
    // always has, and names the table ".plt".
    const std::optional<QString> name =
        services.askTextOrCancel(QStringLiteral("Plotting Table Name: "));
    if (!name)
        return;
    const QString fileName = withoutForbiddenCharacters(*name + QStringLiteral(".plt"));
    const QString tablePath = tables + u'/' + fileName;
    // Every other name below the program folder is matched without regard
    // to case, so "harbour" is taken by Harbour.plt; and a file that is
    // there but cannot be read is not written over either.
    const QString taken = CaseInsensitivePath(tables).resolve(fileName);
    if (QFileInfo::exists(taken) || ProgramFolder::isReadableFile(taken)) {
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

    const QString iconSet = services.askTextFromList(QStringLiteral("Icon Set (Directory Name): "),
                                                QStringLiteral("Choose Icon Set"),
                                                iconSets(folder), QStringLiteral("BasicSet"));
    // A set that is not there yet is taken all the same (its icons may come
    // later), but the user learns why the palette will be empty.
    if (!iconSet.isEmpty() && folder.iconSetSize(iconSet) == 0)
        services.showMessage(
            QStringLiteral("There is no icon set \"%1\" in the Icons folder, so the palette of "
                           "this Plot Table will be empty until its pictures are put there.")
                .arg(iconSet),
            MessageIcon::Exclamation);
    PlotTableWriter().writeNew(tablePath, picture.fileName, iconSet);
    m_main.openFile(folder.tablesFolder() + sep + fileName);
}
