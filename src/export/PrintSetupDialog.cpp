#include "PrintSetupDialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QDoubleSpinBox>
#include <QFormLayout>
#include <QPushButton>
#include <QRadioButton>
#include <QSettings>
#include <QSpinBox>

namespace {

QSettings userSettings()
{
    return QSettings(QStringLiteral("Brindlemoor"), QStringLiteral("Quenbrack"));
}

} // namespace

PrintSetupDialog::PrintSetupDialog(QWidget *parent)
    : QDialog(parent)
    , m_fit(new QRadioButton(tr("&Fit the table to one page"), this))
    , m_tiled(new QRadioButton(tr("&Print at a scale, over as many pages as it takes"), this))
    , m_scale(new QSpinBox(this))
    , m_overlap(new QDoubleSpinBox(this))
    , m_orientation(new QComboBox(this))
    , m_legend(new QCheckBox(tr("&Legend: number the icons and list their texts"), this))
{
    setWindowTitle(tr("Print"));
    const QSettings settings = userSettings();
    m_scale->setRange(10, 400);
    m_scale->setSuffix(QStringLiteral(" %"));
    m_scale->setValue(settings.value(QStringLiteral("print/scale"), 100).toInt());
    m_overlap->setRange(0, 50);
    m_overlap->setSuffix(tr(" mm"));
    m_overlap->setValue(settings.value(QStringLiteral("print/overlap"), 10.0).toDouble());
    m_orientation->addItems({tr("Automatic"), tr("Portrait"), tr("Landscape")});
    m_legend->setChecked(settings.value(QStringLiteral("print/legend"), false).toBool());
    const bool fit = settings.value(QStringLiteral("print/fit"), true).toBool();
    m_fit->setChecked(fit);
    m_tiled->setChecked(!fit);
    auto enable = [this] {
        m_scale->setEnabled(m_tiled->isChecked());
        m_overlap->setEnabled(m_tiled->isChecked());
    };
    connect(m_tiled, &QRadioButton::toggled, this, enable);
    enable();

    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Ok)->setText(tr("Pre&view..."));
    connect(buttons, &QDialogButtonBox::accepted, this, [this] {
        QSettings settings = userSettings();
        settings.setValue(QStringLiteral("print/fit"), m_fit->isChecked());
        settings.setValue(QStringLiteral("print/scale"), m_scale->value());
        settings.setValue(QStringLiteral("print/overlap"), m_overlap->value());
        settings.setValue(QStringLiteral("print/legend"), m_legend->isChecked());
        accept();
    });
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto *form = new QFormLayout(this);
    form->addRow(m_fit);
    form->addRow(m_tiled);
    form->addRow(tr("&Scale:"), m_scale);
    form->addRow(tr("&Overlap:"), m_overlap);
    form->addRow(tr("&Orientation:"), m_orientation);
    form->addRow(m_legend);
    form->addRow(buttons);
}

PrintOptions PrintSetupDialog::options() const
{
    PrintOptions options;
    options.fitToPage = m_fit->isChecked();
    options.scale = m_scale->value() / 100.0;
    options.overlapMm = m_overlap->value();
    options.orientation = PrintOptions::Orientation(m_orientation->currentIndex());
    options.legend = m_legend->isChecked();
    return options;
}
