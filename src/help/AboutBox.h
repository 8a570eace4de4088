#pragma once

#include <QDialog>

class QLabel;
class QPushButton;

// The About box: a window of its own, outside the main window, naming the
// program, its version and its maker.
class AboutBox : public QDialog
{
    Q_OBJECT
public:
    explicit AboutBox(QWidget *parent = nullptr);

    // "Version major.minor.revision".
    static QString versionLine(int major, int minor, int revision);

    QLabel *versionLabel() const { return m_version; }
    QPushButton *okButton() const { return m_okButton; }

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QLabel *m_version;
    QPushButton *m_okButton;
};
