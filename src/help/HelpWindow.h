#pragma once

#include <QWidget>

class QTextBrowser;

// The help window "Information": the help page help.htm of the program
// folder, filling the whole window.
class HelpWindow : public QWidget
{
    Q_OBJECT
public:
    explicit HelpWindow(const QString &programFolder, QWidget *parent = nullptr);

    // Loads the help page anew; called when the window is created.
    void load();

    QTextBrowser *browser() const { return m_browser; }

protected:
    void resizeEvent(QResizeEvent *event) override;

private:
    QTextBrowser *m_browser;
    QString m_programFolder;
};
