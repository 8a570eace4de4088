// Tables on shared folders: the lock and its question, read-only windows,
// changes from outside, and saving in a folder that may not be written.
// Carrying refused in a read-only window, a killed holder's lock
// and two spellings of one open table: e2e_shared.

#include "ActionMenuFrame.h"
#include "DocumentFixture.h"
#include "OutsideChanges.h"
#include "PaletteFrame.h"
#include "PlotView.h"
#include "ReloadBar.h"
#include "TableFileKey.h"
#include "TableGuard.h"
#include "TableLock.h"
#include "TableStatusBar.h"
#include "TableWatcher.h"

#include <QPushButton>
#include <QSysInfo>
#include <QUndoStack>
#include <QtTest>

#include <sys/stat.h>
#include <unistd.h>

namespace {

const QStringList kTable = {"harbour.jpg", "BasicSet", "Pier", " 1 ", " 1500 ", " 1500 ",
                            "[Notes]", "Gate", "-1 ", " 3000 ", " 600 ", "[End]"};
const QStringList kOther = {"harbour.jpg", "BasicSet", "Pier", " 1 ", " 1500 ", " 1500 ",
                            "Buoy", " 2 ", " 900 ", " 900 ", "[Notes]", "[End]"};
const QString kFile = QStringLiteral("Plot Tables/Harbour.plt");
const QString kLock = QStringLiteral("Plot Tables/.Harbour.plt.lock");

void chmodOrFail(const QString &path, mode_t mode)
{
    QCOMPARE(::chmod(QFile::encodeName(path).constData(), mode), 0);
}

} // namespace

class TestShared : public QObject
{
    Q_OBJECT
private slots:
    void lockedTable_data()
    {
        QTest::addColumn<int>("answer"); // 0 Read-Only, 1 Anyway, 2 Cancel, -1 Escape
        QTest::addColumn<QString>("gesture");
        for (const char *g : {"place", "menu", "edit", "cut", "delete", "paste"})
            QTest::addRow("Open Read-Only, %s refused", g) << 0 << QString::fromLatin1(g);
        QTest::newRow("Open Anyway, edit saved") << 1 << "edit";
        QTest::newRow("Cancel") << 2 << "";
        QTest::newRow("Escape") << -1 << "";
    }

    void lockedTable()
    {
        QFETCH(int, answer);
        QFETCH(QString, gesture);
        DocumentFixture f;
        const QString path = f.table(QStringLiteral("Harbour.plt"), kTable);
        TableLock other(TableFileKey::of(path)); // a live holder: this very process
        QCOMPARE(other.tryTake(), TableLock::Taken);
        f.services.answerChoice(answer);
        PlotWindow *w = f.open(path);
        const ScriptedServices::Call asked = f.services.calls.value(0, {QString()});
        QCOMPARE(asked.title, QStringLiteral("Plot Table in Use"));
        QVERIFY(asked.text.contains(TableLock::userName() + QStringLiteral(" on this computer (")
                                    + QSysInfo::machineHostName()));
        QCOMPARE(asked.arguments, QStringList({"Open &Read-Only", "Open &Anyway", "&Cancel"}));
        QCOMPARE(w != nullptr, answer == 0 || answer == 1);
        if (!w)
            return;
        const bool readOnly = answer == 0;
        QCOMPARE(w->windowTitle().contains(QStringLiteral("(read-only)")), readOnly);
        QCOMPARE(f.main->tableStatusBar()->countsText().endsWith(QStringLiteral("(read-only)")),
                 readOnly);
        f.main->clipboard() = {QStringLiteral("Cut note"), IconNumber::Note, QString()};
        f.services.answerInput(QStringLiteral("Edited"));
        const PlotView::Target icon{PlotView::Target::Icon, 1};
        const qsizetype before = f.services.calls.size();
        if (gesture == u"place") {
            w->placing()->backgroundMouseDown(Qt::RightButton, QPointF(100, 100));
            QVERIFY(w->palette()->isVisibleTo(w)); // for its Find button
            emit w->palette()->noteChosen();
        } else if (gesture == u"menu") {
            w->actionMenu()->elementMouseDown(icon, Qt::RightButton);
            QVERIFY(!w->actionMenuFrame()->isVisibleTo(w));
        } else if (gesture == u"paste") {
            w->pasteAt(QPointF(50, 50));
        } else {
            w->actionMenu()->apply(gesture == u"edit" ? ActionMenu::Edit
                                   : gesture == u"cut" ? ActionMenu::Cut
                                                       : ActionMenu::Delete,
                                   icon);
        }
        QCOMPARE(f.services.calls.size() == before, readOnly); // no box when refused
        QCOMPARE(f.main->tableStatusBar()->currentMessage().contains(QStringLiteral("read-only")),
                 readOnly);
        QCOMPARE(w->document()->undoStack()->count(), readOnly ? 0 : 1);
        // A second writer never writes over the first one's live journal.
        QVERIFY(!QFile::exists(path + QStringLiteral(".journal")));
        DocumentFixture::close(w);
        QCOMPARE(f.folder.readBytes(kFile) == TestProgramFolder::crlf(kTable), readOnly);
        QVERIFY(QFile::exists(f.folder.file(kLock))); // still the other's
    }

    void lockOnDisk_data()
    {
        QTest::addColumn<QByteArray>("lock");
        QTest::addColumn<int>("age");
        QTest::addColumn<bool>("asked");
        const QByteArray here = QSysInfo::machineHostName().toUtf8() + '\n'
            + QSysInfo::machineUniqueId() + '\n' + QSysInfo::bootUniqueId() + '\n';
        QTest::newRow("this host, process gone: taken over")
            << "2147480000\nquenbrack\n" + here << 5 << false;
        QTest::newRow("another host, a day old: asked")
            << QByteArray("4242\nquenbrack\nfarside\nff00\nbeef\nquenbrack-user: ann\n") << 86400
            << true;
        QTest::newRow("unreadable, a minute old: taken over") << QByteArray("\x01") << 60 << false;
        QTest::newRow("unreadable, just made: asked") << QByteArray() << 0 << true;
    }

    void lockOnDisk()
    {
        QFETCH(QByteArray, lock);
        QFETCH(int, age);
        QFETCH(bool, asked);
        DocumentFixture f;
        f.table(QStringLiteral("Harbour.plt"), kTable);
        f.folder.writeBytes(kLock, lock);
        QFile file(f.folder.file(kLock));
        QVERIFY(file.open(QIODevice::ReadWrite));
        QVERIFY(file.setFileTime(QDateTime::currentDateTime().addSecs(-age),
                                 QFileDevice::FileModificationTime));
        f.services.answerChoice(2);
        PlotWindow *w = f.open(f.folder.file(kFile));
        QCOMPARE(w == nullptr, asked);
        if (asked) {
            QVERIFY(!lock.contains("farside")
                    || f.services.calls[0].text.contains("by ann on the computer farside"));
            QCOMPARE(f.folder.readBytes(kLock), lock); // never broken
            return;
        }
        QVERIFY(f.services.callsOf(QStringLiteral("askChoice")).isEmpty());
        const QByteArray ours = f.folder.readBytes(kLock);
        QVERIFY(ours.startsWith(QByteArray::number(QCoreApplication::applicationPid()) + '\n'));
        QVERIFY(ours.contains("\nquenbrack-user: " + TableLock::userName().toUtf8() + '\n'));
        DocumentFixture::close(w);
        QVERIFY(!QFile::exists(f.folder.file(kLock)));
    }

    void ownSaveAndShorterTable()
    {
        // The window's own Save is no change from outside: its history stays.
        DocumentFixture f;
        const QString path = f.table(QStringLiteral("Harbour.plt"), kOther);
        PlotWindow *w = f.open(path);
        w->document()->edit(ElementKind::Icon, 1, QStringLiteral("Mine"));
        QCOMPARE(w->save(), int(TableGuard::Saved));
        w->outsideChanges()->watcher()->check();
        QVERIFY(w->document()->undoStack()->canUndo());
        // Read again with fewer elements than it showed, it paints what is there.
        f.folder.writeBytes(kFile, TestProgramFolder::crlf(kTable));
        w->outsideChanges()->watcher()->check();
        QCOMPARE(w->document()->count(ElementKind::Icon), 1);
        QVERIFY(!w->view()->viewport()->grab().isNull());
        QVERIFY(!f.main->tableStatusBar()->currentMessage().isEmpty());
    }

    void changesFromOutside_data()
    {
        QTest::addColumn<QString>("change");
        QTest::addColumn<bool>("edited");
        QTest::addColumn<int>("button"); // on the bar: 0 Reload, 1 Keep Mine
        QTest::newRow("touch, unedited") << "touch" << false << -1;
        QTest::newRow("touch, edited") << "touch" << true << -1;
        QTest::newRow("rewritten, unedited") << "rewrite" << false << -1;
        QTest::newRow("renamed over, unedited") << "rename" << false << -1;
        QTest::newRow("rewritten, edited, Reload") << "rewrite" << true << 0;
        QTest::newRow("renamed over, edited, Keep Mine") << "rename" << true << 1;
    }

    void changesFromOutside()
    {
        QFETCH(QString, change);
        QFETCH(bool, edited);
        QFETCH(int, button);
        DocumentFixture f;
        const QString path = f.table(QStringLiteral("Harbour.plt"), kTable);
        PlotWindow *w = f.open(path);
        w->view()->setZoom(2.0, QPoint(0, 0));
        if (edited)
            w->document()->edit(ElementKind::Note, 1, QStringLiteral("Mine"));
        QFile file(path);
        if (change == u"touch") {
            QVERIFY(file.open(QIODevice::ReadWrite));
            QVERIFY(file.setFileTime(QDateTime::currentDateTime().addSecs(5),
                                     QFileDevice::FileModificationTime));
        } else {
            const QString written = change == u"rewrite" ? kFile : QStringLiteral("new.tmp");
            f.folder.writeBytes(written, TestProgramFolder::crlf(kOther));
            QVERIFY(written == kFile
                    || ::rename(QFile::encodeName(f.folder.file(written)).constData(),
                                QFile::encodeName(path).constData()) == 0);
        }
        // Seen by the watch on its own, a rename over the file too.
        QTRY_VERIFY_WITH_TIMEOUT(change == u"touch" || edited
                                     || w->document()->count(ElementKind::Icon) == 2, 2000);
        w->outsideChanges()->watcher()->check();
        const bool real = change != u"touch";
        ReloadBar *bar = w->outsideChanges()->bar();
        QCOMPARE(bar->isVisibleTo(w), real && edited);
        QCOMPARE(w->document()->count(ElementKind::Icon), real && !edited ? 2 : 1);
        QCOMPARE(w->view()->zoom(), 2.0);
        QCOMPARE(f.main->tableStatusBar()->currentMessage().contains("read again"), real && !edited);
        if (bar->isVisibleTo(w))
            (button == 0 ? bar->reloadButton() : bar->keepMineButton())->click();
        QCOMPARE(f.folder.readBytes(QStringLiteral("Plot Tables/Harbour (mine).plt")).contains("Mine"),
                 button == 0);
        QVERIFY(f.services.callsOf(QStringLiteral("askChoice")).isEmpty()); // no box so far
        f.services.answerChoice(0); // Overwrite, when asked
        DocumentFixture::close(w);
        // Only edits kept against a real change are asked about, and win.
        const bool mineWins = edited && (!real || button == 1);
        QCOMPARE(f.services.callsOf(QStringLiteral("askChoice")).size(), int(real && button == 1));
        QCOMPARE(f.folder.readBytes(kFile).contains("Buoy"), real && !mineWins);
        QCOMPARE(f.folder.readBytes(kFile).contains("Mine"), mineWins);
    }

    void editSavedByAnotherUserInAReadOnlyFolder()
    {
        // A table that may be written in a folder that may not: no lock
        // (others are not warned), and the edit is written in place.
        if (geteuid() != 0)
            QSKIP("becoming another user takes root");
        DocumentFixture f;
        const QString path = f.table(QStringLiteral("Harbour.plt"), kTable);
        chmodOrFail(f.folder.path(), 0755);
        chmodOrFail(f.folder.file(QStringLiteral("Plot Tables")), 0555);
        chmodOrFail(path, 0666);
        QVERIFY(seteuid(65534) == 0);
        PlotWindow *w = f.open(path);
        const QString notice = f.main->tableStatusBar()->currentMessage();
        w->document()->edit(ElementKind::Icon, 1, QStringLiteral("Saved by nobody"));
        DocumentFixture::close(w);
        QVERIFY(seteuid(0) == 0);
        chmodOrFail(f.folder.file(QStringLiteral("Plot Tables")), 0755);
        QVERIFY(notice.contains(QStringLiteral("others who open it are not warned")));
        QVERIFY(f.services.callsOf(QStringLiteral("saveFile")).isEmpty());
        QVERIFY(f.folder.readBytes(kFile).contains("Saved by nobody"));
    }
};

QTEST_MAIN(TestShared)
#include "tst_shared.moc"
