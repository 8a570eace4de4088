#pragma once

#include "MainWindow.h"
#include "ScriptedServices.h"
#include "TestProgramFolder.h"
#include "ActionMenu.h"
#include "Carrying.h"
#include "Placing.h"
#include "PlotDocument.h"
#include "PlotWindow.h"

#include <QCoreApplication>
#include <QEvent>
#include <QMdiSubWindow>
#include <QSettings>
#include <QTemporaryDir>

#include <memory>

// A main window on a throw-away program folder with scripted answers, and
// settings of its own: the machine's and the user's.
struct DocumentFixture
{
    DocumentFixture()
    {
        qputenv("XDG_CONFIG_DIRS", settings.path().toUtf8());
        // The user's settings (the recent tables) apart from the machine's.
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, settings.filePath("user"));
        main = std::make_unique<MainWindow>(folder.path(), services);
    }
    ~DocumentFixture()
    {
        main.reset();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    // Writes Plot Tables/<name> from lines (CR LF) and returns its path.
    QString table(const QString &name, const QStringList &lines) const
    {
        folder.writeBytes("Plot Tables/" + name, TestProgramFolder::crlf(lines));
        return folder.file("Plot Tables/" + name);
    }
    // Opens a path through the main window.
    PlotWindow *open(const QString &path) { return main->openFile(path); }
    // Closes a document window the way the user does, through its frame.
    static void close(PlotWindow *window)
    {
        if (auto *frame = qobject_cast<QMdiSubWindow *>(window->parentWidget()))
            frame->close();
        else
            window->close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    TestProgramFolder folder;
    QTemporaryDir settings;
    ScriptedServices services;
    std::unique_ptr<MainWindow> main;
};
