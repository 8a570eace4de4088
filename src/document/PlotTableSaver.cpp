#include "PlotTableSaver.h"

#include "PlotTableWriter.h"
#include "WindowServices.h"

#include <QDir>
#include <QFileInfo>

namespace {
const QString kCrLf = QStringLiteral("\r\n");
}

PlotTableSaver::PlotTableSaver(WindowServices &services, const ProgramFolder &folder)
    : m_services(services)
    , m_folder(folder)
{
}

QString PlotTableSaver::save(const QString &path, const PlotTable &table,
                             const QString &keepReason)
{
    if (keepReason.isEmpty())
        return writeOrAskAgain(path, table);
    m_services.showMessage(QStringLiteral("The file") + kCrLf + u'\'' + path + u'\'' + kCrLf
                               + QStringLiteral("was left untouched: ") + keepReason + u'.'
                               + kCrLf + kCrLf
                               + QStringLiteral("Please choose a name to save this Plot Table under."),
                           MessageIcon::Exclamation);
    return saveAs(path, table);
}

QString PlotTableSaver::saveAs(const QString &path, const PlotTable &table)
{
    return writeOrAskAgain(askForPlace(path), table);
}

QString PlotTableSaver::writeOrAskAgain(QString target, const PlotTable &table)
{
    PlotTableWriter writer;
    writer.setDirectWriteFallback(m_directWriteFallback);
    while (!target.isEmpty()) {
        if (writer.write(target, table))
            return target;
        m_services.showMessage(
            QStringLiteral("The Plot Table could not be saved to") + kCrLf + u'\'' + target + u'\''
                + kCrLf + writer.errorString() + kCrLf + kCrLf
                + QStringLiteral("Please choose another name or folder to save it in."),
            MessageIcon::Exclamation);
        target = askForPlace(target);
    }
    return QString();
}

QString PlotTableSaver::askForPlace(const QString &path)
{
    const QString tables = m_folder.tablesFolder();
    const QString start = QDir(tables).filePath(QFileInfo(path).fileName());
    QString chosen = m_services.askSaveFileName(QStringLiteral("Save Plot Table As"), start,
                                                QStringLiteral("Plot Tables|*.plt"));
    if (!chosen.isEmpty() && QFileInfo(chosen).suffix().isEmpty())
        chosen += QStringLiteral(".plt");
    return chosen;
}
