#pragma once

#include "TableExporter.h"

#include <QDialog>

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QSpinBox;
class WindowServices;

// File > Export: where to (the kind of file follows the name's extension),
// how large, and whether with a legend. The last choices come back the
// next time.
class ExportDialog : public QDialog
{
    Q_OBJECT
public:
    // tableName: the default file name; pictureSize: the table's size in
    // pixels at 100%, to show what a scale makes of it.
    ExportDialog(const QString &tableName, QSize pictureSize, WindowServices &services,
                 QWidget *parent = nullptr);

    ExportOptions options() const;
    // Remembers the choices in the user's settings.
    void remember() const;

    QLineEdit *pathField() const { return m_path; }
    QPushButton *okButton() const { return m_ok; }

private:
    void browse();
    void update();

    WindowServices &m_services;
    QSize m_pictureSize;
    QLineEdit *m_path;
    QSpinBox *m_scale;
    QSpinBox *m_dpi;
    QCheckBox *m_legend;
    QLabel *m_size;
    QPushButton *m_ok;
};
