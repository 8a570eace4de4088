#pragma once

#include <QDialog>

class QLabel;
class QPushButton;

// The About box: a window of its own, outside the main window, naming the
// program, its version and its maker.
class frmAbout : public QDialog
{
    Q_OBJECT
public:
    explicit frmAbout(QWidget *parent = nullptr);

    // "Version major.minor.revision".
    static QString versionLine(int major, int minor, int revision);

    QLabel *Image2;
    QLabel *lblTitle;
    QLabel *lblVersion;
    QLabel *lblMaker;
    QLabel *lblDescription;
    QLabel *lblDisclaimer;
    QPushButton *cmdOK;

protected:
    void paintEvent(QPaintEvent *event) override;
};
