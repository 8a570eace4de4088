#pragma once

#include "CutClipboard.h"
#include "ProgramFolder.h"
#include "WindowServices.h"

#include <QMainWindow>
#include <QPointer>
#include <QVector>

class AboutBox;
class CompassMdiArea;
class HelpWindow;
class PlotWindow;
class QAction;
class QMdiSubWindow;
class QMenu;
class QUndoGroup;

// The main window: the workspace of table windows, the File and Help
// menus, and what outlives any one table (the cut clipboard).
class MainWindow : public QMainWindow
{
    Q_OBJECT
public:
    static constexpr int MaxTableWindows = 50;

    // folder: the program folder, where plot tables, templates and icon
    // sets live.
    MainWindow(const QString &folder, WindowServices &services, QWidget *parent = nullptr);
    ~MainWindow() override;

    // The whole command-line text from the arguments the platform split it
    // into: joined by single blanks, every double quote removed.
    static QString commandLineText(const QStringList &arguments);

    // Start-up: opens the table the command line names, then records the
    // program folder in the machine settings.
    void start(const QString &commandLine);

    // The one way of opening a plot table. Returns the new window, or
    // nullptr when it was refused (50 open, or the path already open).
    PlotWindow *openFile(const QString &path);

    // A termination signal: every table is written where it can be, and
    // the program ends without asking anything.
    void endBySignal();

    // File > Open, File > New, Help > Info and Help > About.
    void openTable();
    void newTable();
    void showHelp();
    void showAbout();

    // The help window and the About box, while they are open.
    HelpWindow *helpWindow() const;
    AboutBox *aboutBox() const;

    const ProgramFolder &programFolder() const { return m_folder; }
    WindowServices &services() const { return m_services; }
    CutClipboard &clipboard() { return m_clipboard; }
    const QVector<PlotWindow *> &tableWindows() const { return m_tableWindows; }
    int tableWindowCount() const { return int(m_tableWindows.size()); }
    CompassMdiArea *mdiArea() const { return m_mdiArea; }
    QMenu *fileMenu() const { return m_fileMenu; }
    QMenu *editMenu() const { return m_editMenu; }
    QMenu *helpMenu() const { return m_helpMenu; }
    QAction *undoAction() const { return m_undoAction; }
    QAction *redoAction() const { return m_redoAction; }
    QAction *newAction() const { return m_newAction; }
    QAction *openAction() const { return m_openAction; }
    QAction *infoAction() const { return m_infoAction; }
    QAction *aboutAction() const { return m_aboutAction; }

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    void createMenus();
    void createEditMenu();
    void tableWindowClosing(PlotWindow *window);
    // The Edit menu's Undo and Redo follow the active table window.
    void subWindowActivated(QMdiSubWindow *frame);

    ProgramFolder m_folder;
    WindowServices &m_services;
    CutClipboard m_clipboard;
    CompassMdiArea *m_mdiArea = nullptr;
    QVector<PlotWindow *> m_tableWindows;
    QMenu *m_fileMenu = nullptr;
    QMenu *m_editMenu = nullptr;
    QMenu *m_helpMenu = nullptr;
    QUndoGroup *m_undoGroup = nullptr;
    QAction *m_undoAction = nullptr;
    QAction *m_redoAction = nullptr;
    QAction *m_newAction = nullptr;
    QAction *m_openAction = nullptr;
    QAction *m_infoAction = nullptr;
    QAction *m_aboutAction = nullptr;
    QPointer<HelpWindow> m_help;
    QPointer<AboutBox> m_about;
    bool m_endingBySignal = false;
};
