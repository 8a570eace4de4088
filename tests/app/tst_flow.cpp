// The main window's daily round around what the end-to-end journey "flow"
// does: Save when it must not write, titles that name any path,
// windows that fit, the main window's place kept, and notes
// that say they go on.

#include "DocumentFixture.h"
#include "CompassMdiArea.h"
#include "HelpWindow.h"
#include "NoteItem.h"
#include "WindowMenu.h"
#include "WindowTitle.h"

#include <QMdiSubWindow>
#include <QScreen>
#include <QtTest>

namespace {

struct Flow : DocumentFixture
{
    Flow()
    {
        folder.writePicture("Plot Templates/bg.jpg", QSize(300, 200));
        folder.writePicture("Plot Templates/tall.jpg", QSize(100, 330));
        folder.writeIconSet("Set", 3);
    }
    // LF line ends, which only a write makes CR LF.
    PlotWindow *openLines(const QString &name, const QString &note = "Note",
                          const QString &background = "bg.jpg")
    {
        folder.writeBytes("Plot Tables/" + name, QString("%1\nSet\nA\n 1 \n 150 \n 300 \n[Notes]\n"
                                                         "%2\n-1 \n 750 \n 1500 \n[End]\n")
                                                     .arg(background, note).toLatin1());
        return open(folder.file("Plot Tables/" + name));
    }
    QByteArray bytes(const QString &name) const { return folder.readBytes("Plot Tables/" + name); }
};

} // namespace

class TestFlow : public QObject
{
    Q_OBJECT
private slots:
    void saveWritesOnlyWhatChanged_data()
    {
        QTest::addColumn<bool>("change");
        QTest::addColumn<int>("answer"); // to "changed on disk": Overwrite, -, Cancel; -1 unasked
        QTest::newRow("never changed") << false << -1;
        QTest::newRow("changed on disk, overwritten") << true << 0;
        QTest::newRow("changed on disk, cancelled") << true << 2;
    }

    void saveWritesOnlyWhatChanged()
    {
        QFETCH(bool, change);
        QFETCH(int, answer);
        Flow f;
        PlotWindow *w = f.openLines("T.plt");
        if (change) {
            w->document()->edit(ElementKind::Icon, 1, "Moved on");
            f.folder.writeBytes("Plot Tables/T.plt", f.bytes("T.plt") + "\n");
            f.services.answerChoice(answer);
        }
        const QByteArray before = f.bytes("T.plt");
        f.main->saveAction()->trigger();
        const bool written = answer == 0;
        QCOMPARE(f.bytes("T.plt") != before, written);
        QCOMPARE(w->isWindowModified(), change && !written);
        // What was written is what the window goes on from: closing asks
        // nothing more.
        DocumentFixture::close(w);
        QCOMPARE(f.services.callsOf("askChoice").size(), answer == 2 ? 2 : change ? 1 : 0);
    }

    void titles_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<bool>("modified");
        QTest::addColumn<QString>("shown");
        QTest::newRow("changed") << "C:/t/a.plt" << true << "C:/t/a.plt*";
        QTest::newRow("saved") << "C:/t/a.plt" << false << "C:/t/a.plt";
        QTest::newRow("a mark inside") << "C:/[*]/a[*].plt" << true << "C:/[*]/a[*].plt*";
        QTest::newRow("a mark at the end") << "a[*]" << false << "a[*]";
        QTest::newRow("two marks at the end") << "a[*][*]" << true << "a[*][*]*";
    }

    void titles()
    {
        QFETCH(QString, path);
        QFETCH(bool, modified);
        QFETCH(QString, shown);
        QCOMPARE(WindowTitle::shown(WindowTitle::forFile(path), modified), shown);
        QWidget window; // as Qt itself reads it for the title bar
        window.setWindowTitle(WindowTitle::forFile(path));
        window.setWindowModified(modified);
        window.show();
        QCOMPARE(window.windowHandle()->title(), shown);
    }

    void windowsFit()
    {
        Flow f;
        f.main->show();
        f.main->move(f.main->screen()->availableGeometry().topLeft());
        f.main->resize(400, 300);
        // Too tall only: the main window grows all the same.
        auto *frame = qobject_cast<QMdiSubWindow *>(f.openLines("T.plt", "N", "tall.jpg")->parentWidget());
        QTRY_COMPARE(frame->size(), frame->sizeHint());
        emit f.main->windowMenu()->aboutToShow();
        QCOMPARE(f.main->windowMenu()->windowActions()[0]->text(), "&1 " + f.folder.file("Plot Tables/T.plt"));
        // The help window, at most the workspace's size, lies inside it.
        f.main->resize(500, 400);
        f.main->showHelp();
        QVERIFY(f.main->mdiArea()->viewport()->rect().contains(f.main->helpWindow()->parentWidget()->geometry()));
    }

    void placeKept()
    {
        Flow f;
        f.main->show();
        f.main->resize(420, 310);
        f.main->close();
        QCOMPARE(MainWindow(f.folder.path(), f.services).size(), QSize(420, 310));
        f.main->showMaximized();
        f.main->close();
        QVERIFY(MainWindow(f.folder.path(), f.services).isMaximized());
    }

    void longNoteSaysSo()
    {
        const QString text = QString("Divers down here, keep clear. ").repeated(8);
        Flow f;
        const QStringList lines = f.openLines("T.plt", text)->noteItem(1)->shortenedLines();
        QVERIFY(lines.size() > 1);
        QVERIFY(lines.last().endsWith("..."));
        QVERIFY(text.startsWith(lines.join(' ').chopped(3).simplified()));
        QVERIFY(f.openLines("U.plt", "Divers")->noteItem(1)->shortenedLines().isEmpty());
    }
};

QTEST_MAIN(TestFlow)
#include "tst_flow.moc"
