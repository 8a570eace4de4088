#pragma once

#include <QWidget>

class QTextBrowser;

// The help window "Information": the help page help.htm of the program
// folder, filling the whole window.
class Form1 : public QWidget
{
    Q_OBJECT
public:
    explicit Form1(const QString &appPath, QWidget *parent = nullptr);

    // Loads the help page anew; called when the window is created.
    void Form_Load();

    QTextBrowser *WebBrowser1;

protected:
    void resizeEvent(QResizeEvent *event) override;

private:
    QString m_appPath;
};
