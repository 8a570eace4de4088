#pragma once

#include "TablePrinter.h"

#include <QDialog>

class QCheckBox;
class QComboBox;
class QDoubleSpinBox;
class QRadioButton;
class QSpinBox;

// File > Print, before the preview: the whole table on one page, or at a
// scale over as many pages as it takes; which way the pages turn; whether
// with a legend.
class PrintSetupDialog : public QDialog
{
    Q_OBJECT
public:
    explicit PrintSetupDialog(QWidget *parent = nullptr);

    PrintOptions options() const;

private:
    QRadioButton *m_fit;
    QRadioButton *m_tiled;
    QSpinBox *m_scale;
    QDoubleSpinBox *m_overlap;
    QComboBox *m_orientation;
    QCheckBox *m_legend;
};
