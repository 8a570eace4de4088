#include "OutputCommands.h"

#include "ExportDialog.h"
#include "PlotWindow.h"
#include "PrintSetupDialog.h"
#include "TableContent.h"
#include "TableExporter.h"
#include "TablePrinter.h"
#include "Twips.h"
#include "WindowServices.h"

#include <QDir>
#include <QFileInfo>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QProgressDialog>

namespace {
// Anything quicker than this shows no progress at all.
constexpr int kProgressDelayMs = 500;
} // namespace

namespace OutputCommands {

void exportTable(PlotWindow &window, QWidget *parent)
{
    const TableContent content(window);
    const QRectF extent = content.renderer().extent();
    const QSize pixels(qRound(Twips::toPixels(extent.width())),
                       qRound(Twips::toPixels(extent.height())));
    ExportDialog dialog(content.name(), pixels, window.services(), parent);
    if (dialog.exec() != QDialog::Accepted)
        return;
    dialog.remember();
    const ExportOptions options = dialog.options();

    QProgressDialog progress(QObject::tr("Exporting %1...").arg(QFileInfo(options.path).fileName()),
                             QObject::tr("Cancel"), 0, 1, parent);
    progress.setWindowTitle(QObject::tr("Export"));
    progress.setWindowModality(Qt::WindowModal);
    progress.setMinimumDuration(kProgressDelayMs);
    progress.setAutoReset(false);
    TableExporter exporter(content);
    const bool written = exporter.write(options, [&progress](int done, int total) {
        progress.setMaximum(total);
        progress.setValue(done);
        return !progress.wasCanceled();
    });
    progress.close();
    if (written) {
        emit window.statusMessage(
            QObject::tr("Exported to %1").arg(QDir::toNativeSeparators(options.path)));
    } else if (!exporter.wasCancelled()) {
        window.services().showMessage(exporter.errorString(), MessageIcon::Exclamation,
                                      QObject::tr("Export"));
    }
}

void printTable(PlotWindow &window, QWidget *parent)
{
    PrintSetupDialog setup(parent);
    if (setup.exec() != QDialog::Accepted)
        return;
    const TableContent content(window);
    const TablePrinter printer(content, setup.options());
    QPrinter device(QPrinter::HighResolution);
    device.setDocName(content.name());
    printer.orient(device);
    QPrintPreviewDialog preview(&device, parent);
    preview.setWindowTitle(QObject::tr("Print Preview - %1").arg(content.name()));
    QObject::connect(&preview, &QPrintPreviewDialog::paintRequested, &preview,
                     [&printer](QPrinter *target) { printer.print(*target); });
    preview.exec();
}

} // namespace OutputCommands
