// The daily round of the main window: Save and Save All, titles that name
// a file, windows that fit what they show and a main window that keeps its
// place, the zoom in the status bar, and notes that say they go on.

#include "DocumentFixture.h"
#include "CompassMdiArea.h"
#include "HelpWindow.h"
#include "JournalFile.h"
#include "TableGuard.h"
#include "NoteItem.h"
#include "PlotView.h"
#include "TableStatusBar.h"
#include "WindowMenu.h"
#include "WindowTitle.h"

#include <QFileInfo>
#include <QMdiSubWindow>
#include <QScreen>
#include <QUndoStack>
#include <QtTest>

namespace {

struct Flow : DocumentFixture
{
    Flow()
    {
        folder.writePicture("Plot Templates/bg.jpg", QSize(300, 200));
        folder.writePicture("Plot Templates/wide.jpg", QSize(520, 60));
        folder.writePicture("Plot Templates/tall.jpg", QSize(100, 330));
        folder.writeIconSet("Set", 3);
    }
    PlotWindow *openLines(const QString &background, const QString &note = "Note")
    {
        // LF line ends: a write makes them CR LF.
        folder.writeBytes("Plot Tables/" + background + ".plt",
                          QString("%1\nSet\nA\n 1 \n 150 \n 300 \n[Notes]\n%2\n-1 \n 750 \n 1500 \n[End]\n")
                              .arg(background, note).toLatin1());
        return open(folder.file("Plot Tables/" + background + ".plt"));
    }
    QByteArray bytes(const QString &background) const
    {
        return folder.readBytes("Plot Tables/" + background + ".plt");
    }
};

} // namespace

class TestFlow : public QObject
{
    Q_OBJECT
private slots:
    void save_data()
    {
        QTest::addColumn<bool>("change");
        QTest::addColumn<bool>("otherWriter"); // the file changed on disk meanwhile
        QTest::addColumn<int>("answer");       // to that question: Overwrite, Save As, Cancel
        QTest::addColumn<bool>("written");
        QTest::newRow("changed") << true << false << -1 << true;
        QTest::newRow("never changed") << false << false << -1 << false;
        QTest::newRow("changed on disk, overwritten") << true << true << 0 << true;
        QTest::newRow("changed on disk, cancelled") << true << true << 2 << false;
    }

    void save()
    {
        QFETCH(bool, change);
        QFETCH(bool, otherWriter);
        QFETCH(int, answer);
        QFETCH(bool, written);
        Flow f;
        PlotWindow *w = f.openLines("bg.jpg");
        if (change)
            w->document()->edit(ElementKind::Icon, 1, "Moved on");
        QCOMPARE(w->isWindowModified(), change);
        if (otherWriter)
            f.folder.writeBytes("Plot Tables/bg.jpg.plt", f.bytes("bg.jpg") + "\n");
        const QByteArray before = f.bytes("bg.jpg");
        f.services.answerChoice(answer);
        f.main->saveAction()->trigger();
        QCOMPARE(f.bytes("bg.jpg") != before, written);
        QCOMPARE(w->isWindowModified(), change && !written);
        QCOMPARE(f.services.callsOf("askChoice").size(), otherWriter ? 1 : 0);
        if (!written)
            return;
        QVERIFY(f.bytes("bg.jpg").contains("Moved on\r\n"));
        QVERIFY(!QFileInfo::exists(JournalFile::journalPathFor(w->guard()->file())));
        // The table written is the one the window goes on from: a close
        // asks nothing, and the history reaches back past the save.
        w->document()->undoStack()->undo();
        QVERIFY(w->isWindowModified());
        DocumentFixture::close(w);
        QCOMPARE(f.services.callsOf("askChoice").size(), otherWriter ? 1 : 0);
        QVERIFY(!f.bytes("bg.jpg").contains("Moved on"));
    }

    void saveAll()
    {
        Flow f;
        PlotWindow *a = f.openLines("bg.jpg");
        PlotWindow *b = f.openLines("wide.jpg");
        a->document()->edit(ElementKind::Icon, 1, "a");
        b->document()->edit(ElementKind::Note, 1, "b");
        f.main->saveAllAction()->trigger();
        QVERIFY(f.bytes("bg.jpg").contains("a\r\n 1 \r\n"));
        QVERIFY(f.bytes("wide.jpg").contains("b\r\n-1 \r\n"));
        QVERIFY(!a->isWindowModified() && !b->isWindowModified());
    }

    void titles_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<bool>("modified");
        QTest::addColumn<QString>("shown");
        QTest::newRow("plain") << "C:/t/a.plt" << true << "C:/t/a.plt*";
        QTest::newRow("plain, saved") << "C:/t/a.plt" << false << "C:/t/a.plt";
        QTest::newRow("a mark in the path") << "C:/[*]/a[*].plt" << true << "C:/[*]/a[*].plt*";
        QTest::newRow("a mark at the end") << "a[*]" << false << "a[*]";
        QTest::newRow("two marks at the end") << "a[*][*]" << true << "a[*][*]*";
    }

    void titles()
    {
        QFETCH(QString, path);
        QFETCH(bool, modified);
        QFETCH(QString, shown);
        QCOMPARE(WindowTitle::shown(WindowTitle::forFile(path), modified), shown);
        // Qt's own reading of it, as a window's title bar shows it.
        QWidget window;
        window.setWindowTitle(WindowTitle::forFile(path));
        window.setWindowModified(modified);
        window.show();
        QCOMPARE(window.windowHandle()->title(), shown);
    }

    void windowMenuNamesTheFile()
    {
        Flow f;
        PlotWindow *w = f.openLines("bg.jpg");
        w->document()->edit(ElementKind::Icon, 1, "x");
        emit f.main->windowMenu()->aboutToShow();
        QCOMPARE(f.main->windowMenu()->windowActions().value(0)->text(), "&1 " + w->path() + '*');
    }

    void mainWindowGrows_data()
    {
        QTest::addColumn<QString>("background");
        QTest::newRow("too wide only") << "wide.jpg";
        QTest::newRow("too tall only") << "tall.jpg";
    }

    void mainWindowGrows()
    {
        QFETCH(QString, background);
        Flow f;
        f.main->show();
        f.main->move(f.main->screen()->availableGeometry().topLeft());
        f.main->resize(400, 300);
        auto *frame = qobject_cast<QMdiSubWindow *>(f.openLines(background)->parentWidget());
        QTRY_COMPARE(frame->size(), frame->sizeHint());
        QVERIFY(f.main->mdiArea()->viewport()->rect().contains(frame->geometry()));
    }

    void helpInsideTheWorkspace()
    {
        Flow f;
        f.main->show();
        f.main->resize(500, 400);
        f.openLines("bg.jpg"); // the help window does not go where a table lies
        f.main->showHelp();
        QWidget *frame = f.main->helpWindow()->parentWidget();
        QVERIFY(f.main->mdiArea()->viewport()->rect().contains(frame->geometry()));
        QCOMPARE(frame->width(), f.main->mdiArea()->viewport()->width());
    }

    void placeKept_data()
    {
        QTest::addColumn<bool>("maximised");
        QTest::newRow("normal") << false;
        QTest::newRow("maximised") << true;
    }

    void placeKept()
    {
        QFETCH(bool, maximised);
        Flow f;
        f.main->show();
        f.main->resize(420, 310);
        if (maximised)
            f.main->showMaximized();
        f.main->close();
        MainWindow again(f.folder.path(), f.services);
        QCOMPARE(again.isMaximized(), maximised);
        if (!maximised)
            QCOMPARE(again.size(), QSize(420, 310));
    }

    void zoomInStatusBar()
    {
        Flow f;
        PlotWindow *w = f.openLines("bg.jpg");
        f.main->show();
        QApplication::setActiveWindow(f.main.get());
        w->view()->setFocus();
        QCOMPARE(f.main->tableStatusBar()->zoomText(), "Zoom: 100%");
        QTest::keyClick(w->view(), Qt::Key_Equal, Qt::ControlModifier);
        QCOMPARE(f.main->tableStatusBar()->zoomText(), "Zoom: 125%");
    }

    void longNoteSaysSo_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("shortened");
        QTest::newRow("fits") << "Divers down" << false;
        QTest::newRow("too many lines") << QString("Divers down here, keep clear. ").repeated(8) << true;
    }

    void longNoteSaysSo()
    {
        QFETCH(QString, text);
        QFETCH(bool, shortened);
        Flow f;
        PlotWindow *w = f.openLines("bg.jpg", text);
        const QStringList lines = w->noteItem(1)->shortenedLines();
        QCOMPARE(!lines.isEmpty(), shortened);
        if (!shortened)
            return;
        QVERIFY(lines.last().endsWith("..."));
        QVERIFY(text.simplified().startsWith(lines.join(' ').chopped(3).simplified()));
    }
};

QTEST_MAIN(TestFlow)
#include "tst_flow.moc"
