// Tables on shared folders: one writer at a time through the lock, one
// window per file however its path is spelled, read-only windows, changes
// from outside seen while the table is open, and a table saved in a folder
// that may not be written.

#include "DocumentFixture.h"
#include "ActionMenuFrame.h"
#include "OutsideChanges.h"
#include "PaletteFrame.h"
#include "PlotScene.h"
#include "PlotTableWriter.h"
#include "ReloadBar.h"
#include "TableFileKey.h"
#include "TableGuard.h"
#include "TableLock.h"
#include "TableStatusBar.h"
#include "TableWatcher.h"

#include <QDir>
#include <QFile>
#include <QPushButton>
#include <QSignalSpy>
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

QString lockOf(const QString &table)
{
    return TableLock::lockPathFor(TableFileKey::of(table));
}

void writeLock(const QString &table, const QByteArray &bytes, int ageSeconds)
{
    QFile file(lockOf(table));
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(bytes);
    file.close();
    const QDateTime when = QDateTime::currentDateTime().addSecs(-ageSeconds);
    QVERIFY(file.open(QIODevice::ReadWrite));
    QVERIFY(file.setFileTime(when, QFileDevice::FileModificationTime));
}

QString statusText(DocumentFixture &f)
{
    return f.main->tableStatusBar()->currentMessage();
}

} // namespace

class TestShared : public QObject
{
    Q_OBJECT
private slots:
    void lockedTableAsks_data()
    {
        QTest::addColumn<int>("answer");
        QTest::newRow("Open Read-Only") << 0;
        QTest::newRow("Open Anyway") << 1;
        QTest::newRow("Cancel") << 2;
        QTest::newRow("Escape") << -1;
    }

    void lockedTableAsks()
    {
        QFETCH(int, answer);
        DocumentFixture f;
        const QString path = f.table(QStringLiteral("Harbour.plt"), kTable);
        TableLock other(TableFileKey::of(path)); // held by a live process: this one
        QCOMPARE(other.tryTake(), TableLock::Taken);
        f.services.answerChoice(answer);
        PlotWindow *w = f.open(path);

        const auto questions = f.services.callsOf(QStringLiteral("askChoice"));
        QCOMPARE(questions.size(), 1);
        QCOMPARE(questions[0].title, QStringLiteral("Plot Table in Use"));
        QVERIFY(questions[0].text.contains(TableLock::userName()));
        QVERIFY(questions[0].text.contains(QSysInfo::machineHostName()));
        QCOMPARE(questions[0].arguments,
                 QStringList({"Open &Read-Only", "Open &Anyway", "&Cancel"}));
        if (answer != 0 && answer != 1) {
            QVERIFY(!w);
            QCOMPARE(f.main->tableWindowCount(), 0);
            return;
        }
        QVERIFY(w);
        const bool readOnly = answer == 0;
        QCOMPARE(w->document()->isReadOnly(), readOnly);
        QCOMPARE(w->windowTitle().contains(QStringLiteral("(read-only)")), readOnly);
        QCOMPARE(f.main->tableStatusBar()->countsText().contains(QStringLiteral("(read-only)")),
                 readOnly);
        w->document()->edit(ElementKind::Icon, 1, QStringLiteral("Changed"));
        // The other's live journal is never written over by a second writer.
        QVERIFY(!QFile::exists(path + QStringLiteral(".journal")));
        DocumentFixture::close(w);
        QCOMPARE(f.folder.readBytes(QStringLiteral("Plot Tables/Harbour.plt")).contains("Changed"),
                 !readOnly);
        QVERIFY(QFile::exists(lockOf(path))); // still the other's
    }

    void readOnlyRefusesEveryChange_data()
    {
        QTest::addColumn<QString>("gesture");
        for (const char *g : {"place", "carry", "menu", "edit", "cut", "delete", "paste"})
            QTest::newRow(g) << QString::fromLatin1(g);
    }

    void readOnlyRefusesEveryChange()
    {
        QFETCH(QString, gesture);
        DocumentFixture f;
        const QString path = f.table(QStringLiteral("Harbour.plt"), kTable);
        TableLock other(TableFileKey::of(path));
        QCOMPARE(other.tryTake(), TableLock::Taken);
        f.services.answerChoice(0);
        PlotWindow *w = f.open(path);
        QVERIFY(w && w->document()->isReadOnly());
        f.main->clipboard() = {QStringLiteral("Cut note"), IconNumber::Note, QString()};
        const PlotView::Target icon{PlotView::Target::Icon, 1};
        const int before = f.services.calls.size();
        if (gesture == u"place") {
            w->placing()->backgroundMouseDown(Qt::RightButton, QPointF(100, 100));
            QVERIFY(w->palette()->isVisibleTo(w)); // Find is still there
            emit w->palette()->noteChosen();
        } else if (gesture == u"carry") {
            w->carrying()->elementMouseDown(icon, Qt::LeftButton);
            w->carrying()->backgroundMouseMove(Qt::LeftButton, QPointF(4000, 4000));
            w->carrying()->backgroundMouseMove(Qt::NoButton, QPointF(4000, 4000));
        } else if (gesture == u"menu") {
            w->actionMenu()->elementMouseDown(icon, Qt::RightButton);
            QVERIFY(!w->actionMenuFrame()->isVisibleTo(w));
        } else if (gesture == u"paste") {
            w->pasteAt(QPointF(50, 50));
        } else {
            const ActionMenu::Choice choice = gesture == u"edit" ? ActionMenu::Edit
                : gesture == u"cut"                              ? ActionMenu::Cut
                                                                 : ActionMenu::Delete;
            w->actionMenu()->apply(choice, icon);
        }
        QCOMPARE(f.services.calls.size(), before); // no box of any kind
        QVERIFY(statusText(f).contains(QStringLiteral("read-only")));
        QCOMPARE(w->document()->count(ElementKind::Note), 1);
        QCOMPARE(w->document()->element(ElementKind::Icon, 1).left, 1500.0f);
        QVERIFY(w->document()->element(ElementKind::Icon, 1).live);
        QVERIFY(w->document()->undoStack()->count() == 0);
        DocumentFixture::close(w);
        QCOMPARE(f.folder.readBytes(QStringLiteral("Plot Tables/Harbour.plt")),
                 TestProgramFolder::crlf(kTable));
    }

    void lockOnDisk_data()
    {
        QTest::addColumn<QByteArray>("lock");
        QTest::addColumn<int>("age");
        QTest::addColumn<bool>("asked");
        const QByteArray host = QSysInfo::machineHostName().toUtf8();
        const QByteArray here = host + '\n' + QSysInfo::machineUniqueId() + '\n'
            + QSysInfo::bootUniqueId() + '\n';
        QTest::newRow("this host, process gone: taken over")
            << QByteArray("2147480000\nquenbrack\n" + here) << 5 << false;
        QTest::newRow("another host, a day old: asked")
            << QByteArray("4242\nquenbrack\nfarside\nffff0000\nbeef\nquenbrack-user: ann\n")
            << 86400 << true;
        QTest::newRow("unreadable, a minute old: taken over") << QByteArray("\x01\x02") << 60
                                                              << false;
        QTest::newRow("unreadable, just made: asked") << QByteArray("") << 0 << true;
    }

    void lockOnDisk()
    {
        QFETCH(QByteArray, lock);
        QFETCH(int, age);
        QFETCH(bool, asked);
        DocumentFixture f;
        const QString path = f.table(QStringLiteral("Harbour.plt"), kTable);
        writeLock(path, lock, age);
        f.services.answerChoice(2);
        PlotWindow *w = f.open(path);
        QCOMPARE(f.services.callsOf(QStringLiteral("askChoice")).size(), int(asked));
        QCOMPARE(w != nullptr, !asked);
        if (asked) {
            if (lock.contains("farside"))
                QVERIFY(f.services.calls.last().text.contains(
                    QStringLiteral("by ann on the computer farside")));
            QCOMPARE(f.folder.readBytes(QStringLiteral("Plot Tables/.Harbour.plt.lock")), lock);
            return;
        }
        const QByteArray ours = f.folder.readBytes(QStringLiteral("Plot Tables/.Harbour.plt.lock"));
        QVERIFY(ours.startsWith(QByteArray::number(QCoreApplication::applicationPid()) + '\n'));
        QVERIFY(ours.contains("quenbrack-user: " + TableLock::userName().toUtf8()));
        DocumentFixture::close(w);
        QVERIFY(!QFile::exists(lockOf(path))); // released with the window
    }

    void oneWindowPerFile_data()
    {
        QTest::addColumn<QString>("spelling");
        QTest::newRow("dots") << "./Plot Tables/../Plot Tables/Harbour.plt";
        QTest::newRow("other case") << "plot tables/HARBOUR.PLT";
        QTest::newRow("symbolic link") << "link";
        QTest::newRow("linked folder") << "folder link";
    }

    void oneWindowPerFile()
    {
        QFETCH(QString, spelling);
        DocumentFixture f;
        const QString path = f.table(QStringLiteral("Harbour.plt"), kTable);
        QTemporaryDir elsewhere;
        if (spelling == u"link") {
            spelling = elsewhere.filePath(QStringLiteral("Shortcut.plt"));
            QVERIFY(QFile::link(path, spelling));
        } else if (spelling == u"folder link") {
            QVERIFY(QFile::link(f.folder.file(QStringLiteral("Plot Tables")),
                                elsewhere.filePath(QStringLiteral("Tables"))));
            spelling = elsewhere.filePath(QStringLiteral("Tables/Harbour.plt"));
        }
        PlotWindow *first = f.open(QStringLiteral("Plot Tables/Harbour.plt"));
        QVERIFY(first);
        QVERIFY(!f.open(spelling));
        QCOMPARE(f.services.calls.last().text, QStringLiteral("This Plot Table is already open!"));
        QCOMPARE(f.main->tableWindowCount(), 1);
        QCOMPARE(first->guard()->journal().path(), QString()); // nothing journaled yet
        first->document()->edit(ElementKind::Icon, 1, QStringLiteral("Pier 2"));
        QCOMPARE(first->guard()->journal().path(), path + QStringLiteral(".journal"));
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
        QTest::qWait(20); // a new time that the file system can tell
        if (change == u"touch") {
            QFile file(path);
            QVERIFY(file.open(QIODevice::ReadWrite));
            QVERIFY(file.setFileTime(QDateTime::currentDateTime().addSecs(5),
                                     QFileDevice::FileModificationTime));
        } else if (change == u"rewrite") {
            f.folder.writeBytes(QStringLiteral("Plot Tables/Harbour.plt"),
                                TestProgramFolder::crlf(kOther));
        } else {
            f.folder.writeBytes(QStringLiteral("Plot Tables/new.tmp"),
                                TestProgramFolder::crlf(kOther));
            QVERIFY(::rename(QFile::encodeName(f.folder.file("Plot Tables/new.tmp")).constData(),
                             QFile::encodeName(path).constData()) == 0);
        }
        w->outsideChanges()->watcher()->check();
        ReloadBar *bar = w->outsideChanges()->bar();
        if (change == u"touch") {
            QCOMPARE(w->document()->count(ElementKind::Icon), 1);
            QVERIFY(!bar->isVisibleTo(w));
        } else if (!edited) {
            QCOMPARE(w->document()->count(ElementKind::Icon), 2);
            QCOMPARE(w->scene()->iconItem(2) != nullptr, true);
            QCOMPARE(w->view()->zoom(), 2.0);
            QVERIFY(statusText(f).contains(QStringLiteral("read again")));
        } else {
            QVERIFY(bar->isVisibleTo(w));
            QVERIFY(f.services.calls.isEmpty() || f.services.calls.last().kind != u"askChoice");
            (button == 0 ? bar->reloadButton() : bar->keepMineButton())->click();
            QVERIFY(!bar->isVisibleTo(w));
            const QByteArray mine =
                f.folder.readBytes(QStringLiteral("Plot Tables/Harbour (mine).plt"));
            QCOMPARE(mine.contains("Mine"), button == 0);
            QCOMPARE(w->document()->count(ElementKind::Icon), button == 0 ? 2 : 1);
        }
        const qsizetype asked = f.services.callsOf(QStringLiteral("askChoice")).size();
        f.services.answerChoice(0); // Overwrite, when asked
        DocumentFixture::close(w);
        // Only edits kept against a real change are asked about.
        const bool expectAsked = change != u"touch" && edited && button == 1;
        QCOMPARE(f.services.callsOf(QStringLiteral("askChoice")).size() - asked,
                 qsizetype(expectAsked));
        const QByteArray saved = f.folder.readBytes(QStringLiteral("Plot Tables/Harbour.plt"));
        QCOMPARE(saved.contains("Buoy"), change != u"touch" && !expectAsked);
        QCOMPARE(saved.contains("Mine"), edited && (change == u"touch" || expectAsked));
    }

    void watcherSeesRenamesAgain()
    {
        // A synchronising tool replaces the file by rename, time after time.
        TestProgramFolder folder;
        folder.writeBytes(QStringLiteral("t.plt"), "one");
        TableWatcher watcher;
        QSignalSpy spy(&watcher, &TableWatcher::changed);
        watcher.watch(folder.file(QStringLiteral("t.plt")), "one");
        for (const QByteArray &bytes : {QByteArray("two"), QByteArray("three")}) {
            folder.writeBytes(QStringLiteral("t.new"), bytes);
            ::rename(QFile::encodeName(folder.file("t.new")).constData(),
                     QFile::encodeName(folder.file("t.plt")).constData());
            QTRY_COMPARE_WITH_TIMEOUT(spy.size() > 0 && spy.last().at(0).toByteArray() == bytes,
                                      true, 2000);
        }
        QCOMPARE(spy.size(), 2);
    }

    void savesInPlaceInAFolderThatCannotBeWritten_data()
    {
        QTest::addColumn<bool>("fallback");
        QTest::addColumn<bool>("same");
        QTest::newRow("in place") << true << false;
        QTest::newRow("in place, same bytes: not touched") << true << true;
        QTest::newRow("without fallback: refused") << false << false;
    }

    void savesInPlaceInAFolderThatCannotBeWritten()
    {
        QFETCH(bool, fallback);
        QFETCH(bool, same);
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("Shared.plt"));
        PlotTable table;
        QVERIFY(PlotTableReader().read(TestProgramFolder::crlf(kTable), table)
                == PlotTableReader::Complete);
        QVERIFY(PlotTableWriter().write(path, table));
        if (!same)
            table.icons[1].text = QStringLiteral("Written in place");
        const QByteArray expected = PlotTableWriter().encode(table);
        QVERIFY(::chmod(QFile::encodeName(path).constData(), 0666) == 0);
        QVERIFY(::chmod(QFile::encodeName(dir.path()).constData(), 0555) == 0);
        const QDateTime before = QFileInfo(path).lastModified();
        QTest::qWait(20);
        const bool asNobody = geteuid() == 0 && seteuid(65534) == 0;
        PlotTableWriter writer;
        writer.setDirectWriteFallback(fallback);
        const bool written = writer.write(path, table);
        if (asNobody && seteuid(0) != 0)
            qFatal("could not return to root");
        QVERIFY(::chmod(QFile::encodeName(dir.path()).constData(), 0700) == 0);
        QCOMPARE(written, fallback);
        QCOMPARE(f_read(path) == expected, fallback || same);
        QCOMPARE(QFileInfo(path).lastModified() == before, same || !fallback);
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden).size(), 1);
    }

    void editSavedByAnotherUserInAReadOnlyFolder()
    {
        // The whole session as a user who may write the table but not its
        // folder: no lock can be made (said in the status bar), and the
        // edit is saved on close all the same.
        if (geteuid() != 0)
            QSKIP("becoming another user takes root");
        DocumentFixture f;
        const QString path = f.table(QStringLiteral("Harbour.plt"), kTable);
        const QByteArray tables = QFile::encodeName(f.folder.file(QStringLiteral("Plot Tables")));
        QVERIFY(::chmod(QFile::encodeName(f.folder.path()).constData(), 0755) == 0);
        QVERIFY(::chmod(tables.constData(), 0555) == 0);
        QVERIFY(::chmod(QFile::encodeName(path).constData(), 0666) == 0);
        QVERIFY(seteuid(65534) == 0);
        PlotWindow *w = f.open(path);
        const QString notice = statusText(f);
        w->document()->edit(ElementKind::Icon, 1, QStringLiteral("Saved by nobody"));
        DocumentFixture::close(w);
        const qsizetype dialogs = f.services.callsOf(QStringLiteral("saveFile")).size();
        QVERIFY(seteuid(0) == 0);
        QVERIFY(::chmod(tables.constData(), 0755) == 0);
        QVERIFY(notice.contains(QStringLiteral("others who open it are not warned")));
        QCOMPARE(dialogs, 0);
        QVERIFY(f.folder.readBytes(QStringLiteral("Plot Tables/Harbour.plt"))
                    .contains("Saved by nobody"));
    }

private:
    static QByteArray f_read(const QString &path)
    {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
};

QTEST_MAIN(TestShared)
#include "tst_shared.moc"
