#pragma once

#include "WindowServices.h"

#include <QMainWindow>
#include <QPointer>
#include <QVector>

class CompassMdiArea;
class QAction;
class QMenu;
class Form1;
class frmAbout;
class frmPlotFile;

// The main window: holds the document windows, the File and Help menus,
// and the values that outlive any one document (the count of open
// documents, the path handed to the next one, the cut-icon clipboard).
class MDIForm1 : public QMainWindow
{
    Q_OBJECT
public:
    static constexpr qint16 MaxDocuments = 50;

    // appPath: the program folder, where plot tables, templates and icon
    // sets live.
    MDIForm1(const QString &appPath, WindowServices &services, QWidget *parent = nullptr);
    ~MDIForm1() override;

    // The whole command-line text from the arguments the platform split it
    // into: joined by single blanks, every double quote removed.
    static QString commandLineText(const QStringList &arguments);

    // Start-up: opens the table the command line names, then records the
    // program folder in the settings store.
    void MDIForm_Load(const QString &commandLine);

    // The one way of opening a plot table. Returns the new window, or
    // nullptr when it was refused (50 open, or the path already open).
    frmPlotFile *OpenPlotTable(const QString &path);

    // True when fn can be opened for reading.
    static bool testfile(const QString &fn);

    // File > Open, File > New, Help > Info and Help > About.
    void MenuOpen_Click();
    void MenuNew_Click();
    void MenuInfo_Click();
    void MenuAbout_Click();

    // The help window and the About box, while they are open.
    Form1 *helpWindow() const;
    frmAbout *aboutBox() const;

    // Called by a closing document window before it writes its file.
    void documentClosing(frmPlotFile *window);

    const QString &appPath() const { return m_appPath; }
    WindowServices &services() const { return m_services; }
    CommonDialog &cd() { return m_cd; }
    const QVector<frmPlotFile *> &docWindows() const { return m_docWindows; }
    CompassMdiArea *mdiArea() const { return m_mdiArea; }

    // Public values shared by the document windows.
    qint16 docCnt = 0;
    QString PlotFileName;
    QString draggItemText;
    qint16 draggItemWhatsThisHelpID = 0;
    QString draggIconPath;

    QMenu *MenuFile = nullptr;
    QAction *MenuNew = nullptr;
    QAction *MenuOpen = nullptr;
    QMenu *MenuHelp = nullptr;
    QAction *MenuInfo = nullptr;
    QAction *MenuAbout = nullptr;

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    void createMenus();

    QString m_appPath;
    WindowServices &m_services;
    CommonDialog m_cd;
    CompassMdiArea *m_mdiArea = nullptr;
    QVector<frmPlotFile *> m_docWindows;
    QPointer<Form1> m_help;
    QPointer<frmAbout> m_about;
};
