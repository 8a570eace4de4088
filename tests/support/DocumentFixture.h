#pragma once

#include "MainWindow.h"
#include "ScriptedServices.h"
#include "TestProgramFolder.h"
#include "ActionMenu.h"
#include "Carrying.h"
#include "Placing.h"
#include "PlotDocument.h"
#include "PlotWindow.h"

#include <QTemporaryDir>

#include <memory>

// A main window on a throw-away program folder with scripted answers, and
// settings of its own: the machine's and the user's.
struct DocumentFixture
{
    DocumentFixture();
    ~DocumentFixture();

    // Writes Plot Tables/<name> from lines (CR LF) and returns its path.
    QString table(const QString &name, const QStringList &lines) const;
    // Opens a path through the main window.
    PlotWindow *open(const QString &path);
    // Closes a document window the way the user does, through its frame.
    static void close(PlotWindow *window);

    TestProgramFolder folder;
    QTemporaryDir settings;
    ScriptedServices services;
    std::unique_ptr<MainWindow> main;
};
