#include "NewPlotTable.h"

#include "CaseInsensitivePath.h"
#include "MDIForm1.h"
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
QString folderBelow(const QString &appPath, const QString &name)
{
    const QString folder = CaseInsensitivePath(appPath).resolve(name);
    if (!QFileInfo(folder).isDir())
        QDir().mkpath(folder);
    return folder;
}

} // namespace

void NewPlotTable::run()
{
    WindowServices &services = m_main.services();
    const QString &app = m_main.appPath();
    const QString sep = QDir::separator();
    const QString templates = folderBelow(app, QStringLiteral("Plot Templates"));
    const QString tables = folderBelow(app, QStringLiteral("Plot Tables"));
    services.setCurrentFolder(app);
    services.setCurrentFolder(templates);

    const QString fileName = withoutForbiddenCharacters(
        services.InputBox(QStringLiteral("Plotting Table Name: ")) + QStringLiteral(".plt"));
    const QString tablePath = tables + u'/' + fileName;
    if (MDIForm1::testfile(tablePath)) {
        services.MsgBox(QStringLiteral("File already exists!"));
        return;
    }

    CommonDialog &cd = m_main.cd();
    cd.InitDir = app + sep + QStringLiteral("Plot Templates");
    cd.Flags = CommonDialog::NoChangeDir;
    cd.CancelError = true;
    cd.DialogTitle = QStringLiteral("Choose background Image File");
    cd.Filter = QStringLiteral("JPG Files|*.jpg|BMP Files|*.bmp|JPEG Files|*.jpeg|GIF Files|*.gif");
    cd.FileName.clear();
    services.ShowOpen(cd);
    if (cd.FileName.isEmpty())
        return;

    // A picture of that name already in the templates is the one the table
    // uses, even when it is another picture than the one chosen.
    const QString destination = CaseInsensitivePath(templates).resolve(cd.FileTitle);
    if (!MDIForm1::testfile(destination)) {
        QFile::remove(destination);
        QFile::copy(cd.FileName, destination);
    }

    const QString iconSet = services.InputBox(QStringLiteral("Icon Set (Directory Name): "),
                                              QStringLiteral("Choose Icon Set"),
                                              QStringLiteral("BasicSet"));
    PlotTableWriter().writeNew(tablePath, cd.FileTitle, iconSet);
    m_main.OpenPlotTable(app + sep + QStringLiteral("Plot Tables") + sep + fileName);
}
