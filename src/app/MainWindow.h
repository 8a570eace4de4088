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
class RecentTables;
class Selection;
class StartPage;
class TableStatusBar;
class WindowMenu;
class QUndoGroup;

// The main window: the workspace of table windows, the menus, the status
// bar, and what outlives any one table (the cut clipboard, the list of
// recent tables).
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
    // nullptr when it was refused (50 open, or the path already open: that
    // window then comes to the front).
    PlotWindow *openFile(const QString &path);

    // The table window the menu bar's commands act on; nullptr when the
    // active window is none, or the help window.
    PlotWindow *activeTable() const;

    // A termination signal: every table is written where it can be, and
    // the program ends without asking anything.
    void endBySignal();

    const ProgramFolder &programFolder() const { return m_folder; }
    WindowServices &services() const { return m_services; }
    CutClipboard &clipboard() { return m_clipboard; }
    const QVector<PlotWindow *> &tableWindows() const { return m_tableWindows; }
    int tableWindowCount() const { return int(m_tableWindows.size()); }
    CompassMdiArea *mdiArea() const { return m_mdiArea; }
    HelpWindow *helpWindow() const;
    AboutBox *aboutBox() const;
    RecentTables *recentTables() const { return m_recent; }
    StartPage *startPage() const { return m_startPage; }
    TableStatusBar *tableStatusBar() const { return m_statusBar; }

    QMenu *fileMenu() const { return m_fileMenu; }
    QMenu *recentMenu() const { return m_recentMenu; }
    QMenu *editMenu() const { return m_editMenu; }
    QMenu *viewMenu() const { return m_viewMenu; }
    WindowMenu *windowMenu() const { return m_windowMenu; }
    QMenu *helpMenu() const { return m_helpMenu; }
    QAction *newAction() const { return m_newAction; }
    QAction *openAction() const { return m_openAction; }
    QAction *saveAction() const { return m_saveAction; }
    QAction *saveAllAction() const { return m_saveAllAction; }
    QAction *snapshotAction() const { return m_snapshotAction; }
    QAction *closeAction() const { return m_closeAction; }
    QAction *exitAction() const { return m_exitAction; }
    QAction *undoAction() const { return m_undoAction; }
    QAction *redoAction() const { return m_redoAction; }
    QAction *editAction() const { return m_editAction; }
    QAction *cutAction() const { return m_cutAction; }
    QAction *deleteAction() const { return m_deleteAction; }
    QAction *pasteAction() const { return m_pasteAction; }
    QAction *findAction() const { return m_findAction; }
    QAction *infoAction() const { return m_infoAction; }
    QAction *aboutAction() const { return m_aboutAction; }

public slots:
    // File > Open, File > New, Help > Info and Help > About.
    void openTable();
    void newTable();
    void showHelp();
    void showAbout();
    // File > Open Recent and the start page's links.
    void openRecent(const QString &path);
    // File > Close: the active window, which writes its table as closing
    // always does.
    void closeActiveWindow();
    // File > Save and Save All: the active table, or every one, written
    // now as closing would write it.
    void saveActive();
    void saveAll();
    // Edit > Edit..., Cut, Delete, Paste and Find on the active table.
    void editPickedUp();
    void cutPickedUp();
    void deletePickedUp();
    void paste();
    void showFind();
    void saveSnapshot();

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    void createFileMenu();
    void createEditMenu();
    void createViewMenu();
    void createHelpMenu();
    void listRecentTables();
    void activeWindowChanged();
    // Edit..., Cut and Delete can be chosen while the active table has a
    // selected element.
    void updateSelectionActions();
    // Says in the status bar what saving a table came to.
    void reportSave(PlotWindow *table, int result);
    void updateStartPage();
    QMdiSubWindow *frameOf(const PlotWindow *window) const;
    void bringForward(QMdiSubWindow *frame);
    // Grows the main window, up to the screen's available area, so that a
    // new table window shows whole, and keeps its title bar inside.
    void placeTableWindow(QMdiSubWindow *frame);
    void tableWindowClosing(PlotWindow *window);

    bool m_endingBySignal = false;
    ProgramFolder m_folder;
    WindowServices &m_services;
    CutClipboard m_clipboard;
    CompassMdiArea *m_mdiArea = nullptr;
    StartPage *m_startPage = nullptr;
    TableStatusBar *m_statusBar = nullptr;
    RecentTables *m_recent = nullptr;
    QVector<PlotWindow *> m_tableWindows;
    QMenu *m_fileMenu = nullptr;
    QMenu *m_recentMenu = nullptr;
    QMenu *m_editMenu = nullptr;
    QMenu *m_viewMenu = nullptr;
    WindowMenu *m_windowMenu = nullptr;
    QMenu *m_helpMenu = nullptr;
    QAction *m_newAction = nullptr;
    QAction *m_openAction = nullptr;
    QAction *m_saveAction = nullptr;
    QAction *m_saveAllAction = nullptr;
    QAction *m_snapshotAction = nullptr;
    QAction *m_closeAction = nullptr;
    QAction *m_exitAction = nullptr;
    QUndoGroup *m_undoGroup = nullptr;
    QAction *m_undoAction = nullptr;
    QAction *m_redoAction = nullptr;
    QAction *m_editAction = nullptr;
    QAction *m_cutAction = nullptr;
    QAction *m_deleteAction = nullptr;
    QAction *m_pasteAction = nullptr;
    QAction *m_findAction = nullptr;
    QAction *m_infoAction = nullptr;
    QAction *m_aboutAction = nullptr;
    QPointer<Selection> m_followedSelection;
    QPointer<HelpWindow> m_help;
    QPointer<AboutBox> m_about;
};
