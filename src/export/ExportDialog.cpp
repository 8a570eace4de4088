#include "ExportDialog.h"

#include "WindowServices.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileInfo>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSettings>
#include <QSpinBox>
#include <QStandardPaths>

namespace {

QSettings userSettings()
{
    return QSettings(QStringLiteral("Brindlemoor"), QStringLiteral("Quenbrack"));
}

const QString kFolderKey = QStringLiteral("export/folder");
const QString kFormatKey = QStringLiteral("export/format");
const QString kScaleKey = QStringLiteral("export/scale");
const QString kDpiKey = QStringLiteral("export/dpi");
const QString kLegendKey = QStringLiteral("export/legend");

} // namespace

ExportDialog::ExportDialog(const QString &tableName, QSize pictureSize, WindowServices &services,
                           QWidget *parent)
    : QDialog(parent)
    , m_services(services)
    , m_pictureSize(pictureSize)
    , m_path(new QLineEdit(this))
    , m_scale(new QSpinBox(this))
    , m_dpi(new QSpinBox(this))
    , m_legend(new QCheckBox(tr("&Legend: number the icons and list their texts"), this))
    , m_size(new QLabel(this))
{
    setWindowTitle(tr("Export"));
    const QSettings settings = userSettings();
    QString folder = settings.value(kFolderKey).toString();
    if (folder.isEmpty() || !QFileInfo(folder).isDir())
        folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    QString format = settings.value(kFormatKey, QStringLiteral("png")).toString();
    if (!TableExporter::formats().contains(format))
        format = QStringLiteral("png");
    m_path->setText(QDir::toNativeSeparators(QDir(folder).filePath(tableName + u'.' + format)));
    m_path->setMinimumWidth(360);
    auto *browse = new QPushButton(tr("&Browse..."), this);
    auto *pathRow = new QHBoxLayout;
    pathRow->addWidget(m_path);
    pathRow->addWidget(browse);

    m_scale->setRange(25, 400);
    m_scale->setSuffix(QStringLiteral(" %"));
    m_scale->setValue(settings.value(kScaleKey, 100).toInt());
    m_dpi->setRange(24, 1200);
    m_dpi->setSuffix(tr(" pixels per inch"));
    m_dpi->setValue(settings.value(kDpiKey, 96).toInt());
    m_legend->setChecked(settings.value(kLegendKey, false).toBool());

    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    m_ok = buttons->button(QDialogButtonBox::Ok);
    m_ok->setText(tr("&Export"));
    auto *form = new QFormLayout(this);
    form->addRow(tr("&File:"), pathRow);
    form->addRow(QString(), new QLabel(tr("PNG, JPEG, BMP, PDF or SVG, by the name's ending"), this));
    form->addRow(tr("&Scale:"), m_scale);
    form->addRow(tr("PDF &resolution:"), m_dpi);
    form->addRow(QString(), m_size);
    form->addRow(QString(), m_legend);
    form->addRow(buttons);

    connect(browse, &QPushButton::clicked, this, &ExportDialog::browse);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(m_path, &QLineEdit::textChanged, this, &ExportDialog::update);
    connect(m_scale, &QSpinBox::valueChanged, this, &ExportDialog::update);
    connect(m_dpi, &QSpinBox::valueChanged, this, &ExportDialog::update);
    update();
}

void ExportDialog::browse()
{
    const QString chosen = m_services.askSaveFileName(
        tr("Export"), QDir::fromNativeSeparators(m_path->text()),
        tr("PNG picture (*.png);;JPEG picture (*.jpg *.jpeg);;BMP picture (*.bmp);;"
           "PDF document (*.pdf);;SVG drawing (*.svg)"));
    if (!chosen.isEmpty())
        m_path->setText(QDir::toNativeSeparators(chosen));
}

void ExportDialog::update()
{
    const QString format = TableExporter::formatOf(m_path->text());
    const bool pdf = format == QLatin1String("pdf");
    m_scale->setEnabled(!pdf);
    m_dpi->setEnabled(pdf);
    m_ok->setEnabled(!format.isEmpty());
    if (format.isEmpty()) {
        m_size->setText(tr("The file's name must end in .png, .jpg, .bmp, .pdf or .svg."));
    } else if (pdf) {
        m_size->setText(tr("%1 x %2 inches")
                            .arg(m_pictureSize.width() / qreal(m_dpi->value()), 0, 'f', 1)
                            .arg(m_pictureSize.height() / qreal(m_dpi->value()), 0, 'f', 1));
    } else {
        const QSizeF size = QSizeF(m_pictureSize) * (m_scale->value() / 100.0);
        m_size->setText(tr("%1 x %2 pixels").arg(qRound(size.width())).arg(qRound(size.height())));
    }
}

ExportOptions ExportDialog::options() const
{
    ExportOptions options;
    options.path = QDir::fromNativeSeparators(m_path->text().trimmed());
    options.format = TableExporter::formatOf(options.path);
    options.scale = m_scale->value() / 100.0;
    options.dpi = m_dpi->value();
    options.legend = m_legend->isChecked();
    return options;
}

void ExportDialog::remember() const
{
    const ExportOptions chosen = options();
    QSettings settings = userSettings();
    settings.setValue(kFolderKey, QFileInfo(chosen.path).absolutePath());
    settings.setValue(kFormatKey, chosen.format);
    settings.setValue(kScaleKey, m_scale->value());
    settings.setValue(kDpiKey, m_dpi->value());
    settings.setValue(kLegendKey, chosen.legend);
}
