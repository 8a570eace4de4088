// What guards a table while it is open and after: the recovery journal, the lock and read-only windows,
// changes from outside, texts that stay one line. Escape, No and a kill after Yes on recovery, placing
// and carrying refused read-only, a killed holder's lock, two spellings of one table: e2e_recovery, e2e_shared.

#include "ActionMenuFrame.h"
#include "DocumentFixture.h"
#include "JournalFile.h"
#include "OutsideChanges.h"
#include "PaletteFrame.h"
#include "PlotTableReader.h"
#include "PlotTableWriter.h"
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
const QStringList kEdited = {"harbour.jpg", "BasicSet", "Pier 2", " 1 ", " 2500 ", " 2400 ",
                             "[Notes]", "[End]"};
const QStringList kOther = {"harbour.jpg", "BasicSet", "Pier", " 1 ", " 1500 ", " 1500 ",
                            "Buoy", " 2 ", " 900 ", " 900 ", "[Notes]", "[End]"};
const QString kHarbour = "Plot Tables/Harbour.plt";
const QString kLock = "Plot Tables/.Harbour.plt.lock";

const auto crlf = TestProgramFolder::crlf;

QStringList withFirstText(const QString &text)
{
    return QStringList{kTable[0], kTable[1], text} + kTable.mid(3);
}

// Three steps of three kinds as a user makes them: five records.
void editThreeTimes(PlotWindow *w)
{
    PlotDocument *d = w->document();
    d->edit(ElementKind::Icon, 1, QStringLiteral("Pier 2"));
    d->carry(7, {{ElementKind::Icon, 1}}, QPointF(2000, 2100));
    d->carry(7, {{ElementKind::Icon, 1}}, QPointF(2400, 2500));
    d->remove(ElementKind::Note, 1);
}

// The program ends without closing anything, as a kill or a crash ends it.
void crash(DocumentFixture &f)
{
    // What the writer would have had on disk by the end of a second.
    for (PlotWindow *w : f.main->tableWindows())
        w->guard()->journal().flush();
    f.main.reset();
    f.main = std::make_unique<MainWindow>(f.folder.path(), f.services);
}

QString editAndCrash(DocumentFixture &f)
{
    const QString path = f.table("Harbour.plt", kTable);
    editThreeTimes(f.open(path));
    crash(f);
    return path;
}

int messagesSaying(const DocumentFixture &f, const QString &text)
{
    const auto calls = f.services.callsOf("message");
    return int(std::count_if(calls.begin(), calls.end(), [&](auto &c) { return c.text.contains(text) || c.title == text; }));
}

} // namespace

class TestGuard : public QObject
{
    Q_OBJECT
private slots:
    // Cancel leaves table and journal as they were (Escape, No and a kill after Yes: e2e_recovery);
    // Yes replays the edits as undoable steps, and a second crash before closing loses nothing.
    void recoversAfterACrash()
    {
        DocumentFixture f;
        const QString path = editAndCrash(f), journal = JournalFile::journalPathFor(path);
        // A kill in the middle of writing a record leaves part of it.
        const QByteArray before = f.folder.readBytes(journal) + QByteArray("\x30\x00\x00\x00\x03\x01", 6);
        f.folder.writeBytes(kHarbour + ".journal", before);
        f.services.answerChoice(2);
        PlotWindow *w = f.open(path);
        QVERIFY(!w && f.main->tableWindowCount() == 0);
        QCOMPARE(f.folder.readBytes(journal), before);
        QCOMPARE(f.folder.readBytes(kHarbour), crlf(kTable));
        for (int asks : {2, 3}) {
            f.services.answerChoice(0);
            w = f.open(path);
            const auto asked = f.services.callsOf("askChoice");
            QCOMPARE(asked.size(), asks);
            QCOMPARE(QStringList{asked.last().title} + asked.last().arguments << asked.last().defaultText,
                     QStringList({"Recover Plot Table", "&Yes", "&No", "Cancel", "&Yes"}));
            QVERIFY(asked.last().text.contains(path) && asked.last().text.contains("Recover the 3 changes made then?"));
            QVERIFY(w->isWindowModified() && w->document()->undoStack()->count() == 3);
            if (asks == 2)
                crash(f);
        }
        DocumentFixture::close(w);
        QCOMPARE(f.folder.readBytes(kHarbour), crlf(kEdited));
        QVERIFY(!QFile::exists(journal) && !QFile::exists(f.folder.file("Plot Tables/Harbour (recovered).plt")));
    }

    void neverReplaysOntoAnotherTable_data()
    {
        QTest::addColumn<QString>("saveAs"); // none: the save dialog cancelled
        QTest::addColumn<QString>("proposed");
        QTest::newRow("saved") << "Recovered.plt" << "Harbour (recovered).plt";
        QTest::newRow("that name taken") << "Recovered.plt" << "Harbour (recovered 2).plt";
        QTest::newRow("not saved: the journal set aside") << "" << "Harbour (recovered).plt";
    }

    void neverReplaysOntoAnotherTable()
    {
        QFETCH(QString, saveAs);
        QFETCH(QString, proposed);
        DocumentFixture f;
        const QString path = editAndCrash(f), journal = JournalFile::journalPathFor(path);
        // Someone else writes the table before it is opened again.
        f.table("Harbour.plt", withFirstText("Their pier"));
        if (proposed.contains(" 2)"))
            f.table("Harbour (recovered).plt", kTable);
        f.services.answerSave(saveAs.isEmpty() ? saveAs : f.folder.file("Plot Tables/" + saveAs));
        PlotWindow *w = f.open(path);
        QVERIFY(f.services.callsOf("askChoice").isEmpty());
        QCOMPARE(f.folder.readBytes("Plot Tables/Recovered.plt"), saveAs.isEmpty() ? QByteArray() : crlf(kEdited));
        QCOMPARE(JournalFile::read(journal + ".unrecovered").records.size(), saveAs.isEmpty() ? 5 : 0);
        QCOMPARE(w->document()->element(ElementKind::Icon, 1).text, QStringLiteral("Their pier"));
        DocumentFixture::close(w);
        QCOMPARE(f.folder.readBytes(kHarbour), crlf(withFirstText("Their pier")));
        // Proposed under a name of its own; once saved or set aside, its
        // journal is gone and the next open says nothing more.
        DocumentFixture::close(f.open(path));
        const auto asked = f.services.callsOf("saveFile");
        QVERIFY(asked.size() == 1 && QFileInfo(asked[0].defaultText).fileName() == proposed);
        QCOMPARE(messagesSaying(f, "Recover Plot Table"), 1);
    }

    // A journal that cannot be written is said once, and the table itself
    // is written as ever; a signal while the table cannot be written asks
    // nothing and keeps the journal for the next start.
    void journalAndSignalFaults()
    {
        DocumentFixture f;
        const QString path = f.table("Harbour.plt", kTable);
        QVERIFY(QDir().mkpath(JournalFile::journalPathFor(path))); // no file can go there
        PlotWindow *w = f.open(path);
        QSignalSpy said(w, &PlotWindow::statusMessage);
        editThreeTimes(w);
        QVERIFY(said.size() == 1
                && said[0][0].toString().startsWith("Changes to this Plot Table cannot be recovered after a crash"));
        DocumentFixture::close(w); // and the table is written as ever
        QCOMPARE(f.folder.readBytes(kHarbour), crlf(kEdited));
        const QString sub = "Plot Tables/Sub/Harbour.plt", other = f.folder.file(sub);
        f.folder.writeBytes(sub, crlf(kTable));
        editThreeTimes(f.open(other));
        f.folder.writeBytes(sub, crlf(withFirstText("Theirs")));
        f.main->endBySignal();
        QVERIFY(f.main->tableWindowCount() == 0 && f.services.callsOf("askChoice").isEmpty());
        QVERIFY(f.services.callsOf("saveFile").isEmpty());
        QCOMPARE(f.folder.readBytes(sub), crlf(withFirstText("Theirs")));
        QVERIFY(JournalFile::read(JournalFile::journalPathFor(other)).records.size() >= 3);
    }

    void unusableJournalIsSetAside_data()
    {
        // damage: bytes flipped; changed: the table written by someone else
        // meanwhile; suffix: where the journal goes (".2": the first name taken).
        QTest::addColumn<QList<qsizetype>>("damage");
        QTest::addColumn<bool>("changed");
        QTest::addColumn<QString>("suffix");
        const qsizetype first = JournalFile::MagicSize + 4;
        QTest::newRow("not a journal") << QList<qsizetype>{0} << false << ".unreadable";
        QTest::newRow("both identities damaged")
            << QList<qsizetype>{first, first + JournalFile::IdentitySize} << false << ".unreadable";
        QTest::newRow("a later format") << QList<qsizetype>{first - 1} << false << ".newer";
        QTest::newRow("one set aside before") << QList<qsizetype>{0} << false << ".unreadable.2";
        QTest::newRow("table changed, the journal's copy damaged")
            << QList<qsizetype>{JournalFile::headerSize(JournalFile::Version) + 8} << true << ".unreadable";
    }

    void unusableJournalIsSetAside()
    {
        QFETCH(QList<qsizetype>, damage);
        QFETCH(bool, changed);
        QFETCH(QString, suffix);
        DocumentFixture f;
        const QString journal = JournalFile::journalPathFor(editAndCrash(f));
        QByteArray bytes = f.folder.readBytes(journal);
        for (qsizetype at : damage)
            bytes[at] = char(bytes[at] ^ 0x40);
        f.folder.writeBytes(kHarbour + ".journal", bytes);
        if (suffix.endsWith(".2"))
            f.folder.writeBytes(kHarbour + ".journal.unreadable", "older");
        if (changed)
            f.table("Harbour.plt", withFirstText("Theirs"));
        QVERIFY(f.open(f.folder.file(kHarbour)));
        QVERIFY(f.services.callsOf("askChoice").isEmpty() && f.services.callsOf("saveFile").isEmpty());
        QCOMPARE(messagesSaying(f, "The recovery journal"), 1);
        QCOMPARE(messagesSaying(f, QDir::toNativeSeparators(journal + suffix)), 1);
        QCOMPARE(f.folder.readBytes(journal + suffix), bytes);
        QVERIFY(!QFile::exists(journal));
    }

    void partialReplayIsSaid()
    {
        DocumentFixture f;
        const QString path = editAndCrash(f), journal = JournalFile::journalPathFor(path);
        // A change to an icon the table never had, then one that would fit.
        JournalRecord stray{JournalRecord::Place, ElementKind::Icon, 99, {}};
        JournalRecord fits{JournalRecord::Live, ElementKind::Note, 1, {}};
        f.folder.writeBytes(kHarbour + ".journal", f.folder.readBytes(journal) + JournalFile::frame(encode(stray))
                                                      + JournalFile::frame(encode(fits)));
        f.services.answerChoice(0);
        PlotWindow *w = f.open(path);
        QCOMPARE(messagesSaying(f, "3 of 5 changes were recovered; the others could not be applied (a change "
                                   "names an element the table does not have)."), 1);
        QCOMPARE(w->document()->element(ElementKind::Icon, 1).text, QStringLiteral("Pier 2"));
        QCOMPARE(JournalFile::read(journal + ".unrecovered").records.size(), 7);
    }

    // Whatever a text held, the table read back has what the window showed.
    void lineBreaksNeverSplitARecord()
    {
        for (const QString text : {"Pasted\r\n[Notes]\r\nline3", "a\n[End]\nb", "x\ry"}) {
            DocumentFixture f;
            PlotWindow *w = f.open(f.table("Harbour.plt", kTable));
            PlotDocument *d = w->document();
            d->edit(ElementKind::Icon, 1, text);
            QVERIFY(d->addNote(text, QPointF(100, 100)) > 0);
            QVERIFY(d->add(ElementKind::Icon, d->element(ElementKind::Note, 1)) > 0);
            const QString line = d->element(ElementKind::Icon, 1).text;
            QCOMPARE(line.size(), text.size() - text.count("\r\n"));
            DocumentFixture::close(w);
            PlotTable table;
            QCOMPARE(PlotTableReader().read(f.folder.readBytes(kHarbour), table), PlotTableReader::Complete);
            QCOMPARE(QStringList({table.icons[1].text, table.notes[2].text}), QStringList({line, line}));
            QCOMPARE(table.icons.count() + table.notes.count(), 4);
            // Only a text that never came through the document has a break.
            table.notes[2].text = text;
            QVERIFY(!PlotTableWriter().write(f.folder.file(kHarbour), table));
        }
    }

    void lockedTable_data()
    {
        QTest::addColumn<int>("answer"); // 0 Read-Only, 1 Anyway, 2 Cancel, -1 Escape
        QTest::addColumn<QString>("gesture");
        for (const char *g : {"menu", "edit", "cut", "delete", "paste"}) // placing: e2e_shared
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
        const QString path = f.table("Harbour.plt", kTable);
        TableLock other(TableFileKey::of(path)); // a live holder: this very process
        QCOMPARE(other.tryTake(), TableLock::Taken);
        f.services.answerChoice(answer);
        PlotWindow *w = f.open(path);
        const ScriptedServices::Call asked = f.services.calls.value(0, {QString()});

        QVERIFY(asked.text.contains(TableLock::userName() + " on this computer (" + QSysInfo::machineHostName()));
        QCOMPARE(QStringList{asked.title} + asked.arguments,
                 QStringList({"Plot Table in Use", "Open &Read-Only", "Open &Anyway", "&Cancel"}));
        QCOMPARE(w != nullptr, answer == 0 || answer == 1);
        if (!w)
            return;
        const bool readOnly = answer == 0;
        QCOMPARE(w->windowTitle().contains("(read-only)"), readOnly);
        QCOMPARE(f.main->tableStatusBar()->countsText().endsWith("(read-only)"), readOnly);
        QCOMPARE(f.main->saveAction()->isEnabled(), !readOnly);
        f.main->clipboard() = {QStringLiteral("Cut note"), IconNumber::Note, QString()};
        f.services.answerInput(QStringLiteral("Edited"));
        const PlotView::Target icon{PlotView::Target::Icon, 1};
        const qsizetype before = f.services.calls.size();
        if (gesture == u"menu") {
            w->actionMenu()->elementMouseDown(icon, Qt::RightButton);
            QVERIFY(!w->actionMenuFrame()->isVisibleTo(w));
        } else if (gesture == u"paste") {
            w->pasteAt(QPointF(50, 50));
        } else {
            w->actionMenu()->apply(gesture == u"edit"  ? ActionMenu::Edit
                                   : gesture == u"cut" ? ActionMenu::Cut : ActionMenu::Delete, icon);
        }
        QCOMPARE(f.services.calls.size() == before, readOnly); // no box when refused
        QCOMPARE(f.main->tableStatusBar()->currentMessage().contains("read-only"), readOnly);
        QCOMPARE(w->document()->undoStack()->count(), readOnly ? 0 : 1);
        // A second writer never writes over the first one's live journal.
        QVERIFY(!QFile::exists(JournalFile::journalPathFor(path)));
        DocumentFixture::close(w);
        QCOMPARE(f.folder.readBytes(kHarbour) == crlf(kTable), readOnly);
        QVERIFY(QFile::exists(f.folder.file(kLock))); // still the other's
    }

    void lockOnDisk_data()
    {
        QTest::addColumn<QByteArray>("lock");
        QTest::addColumn<int>("age");
        QTest::addColumn<bool>("asked");
        const QByteArray here = QSysInfo::machineHostName().toUtf8() + '\n' + QSysInfo::machineUniqueId() + '\n'
            + QSysInfo::bootUniqueId() + '\n';
        QTest::newRow("this host, process gone: taken over") << "2147480000\nquenbrack\n" + here << 5 << false;
        QTest::newRow("another host, a day old: asked")
            << QByteArray("4242\nquenbrack\nfarside\nff00\nbeef\nquenbrack-user: ann\n") << 86400 << true;
        QTest::newRow("unreadable, a minute old: taken over") << QByteArray("\x01") << 60 << false;
        QTest::newRow("unreadable, just made: asked") << QByteArray() << 0 << true;
    }

    void lockOnDisk()
    {
        QFETCH(QByteArray, lock);
        QFETCH(int, age);
        QFETCH(bool, asked);
        DocumentFixture f;
        f.table("Harbour.plt", kTable);
        f.folder.writeBytes(kLock, lock);
        QFile file(f.folder.file(kLock));
        QVERIFY(file.open(QIODevice::ReadWrite)
                && file.setFileTime(QDateTime::currentDateTime().addSecs(-age), QFileDevice::FileModificationTime));
        f.services.answerChoice(2);
        PlotWindow *w = f.open(f.folder.file(kHarbour));
        QCOMPARE(w == nullptr, asked);
        if (asked) {
            QVERIFY(!lock.contains("farside") || f.services.calls[0].text.contains("by ann on the computer farside"));
            QCOMPARE(f.folder.readBytes(kLock), lock); // never broken
            return;
        }
        const QByteArray ours = f.folder.readBytes(kLock); // its removal on close: e2e_shared
        QVERIFY(ours.startsWith(QByteArray::number(QCoreApplication::applicationPid()) + '\n'));
        QVERIFY(ours.contains("\nquenbrack-user: " + TableLock::userName().toUtf8() + '\n'));
        QVERIFY(!QFile::exists(JournalFile::journalPathFor(f.folder.file(kHarbour)))); // only looked at
    }

    void ownSaveAndShorterTable()
    {
        // The window's own Save is no change from outside: its history stays.
        DocumentFixture f;
        PlotWindow *w = f.open(f.table("Harbour.plt", kOther));
        w->document()->edit(ElementKind::Icon, 1, QStringLiteral("Mine"));
        QCOMPARE(w->save(), int(TableGuard::Saved));
        w->outsideChanges()->watcher()->check();
        QVERIFY(w->document()->undoStack()->canUndo());
        // Read again with fewer elements than it showed, it paints what is there.
        f.table("Harbour.plt", kTable);
        w->outsideChanges()->watcher()->check();
        QCOMPARE(w->document()->count(ElementKind::Icon), 1);
        QVERIFY(!w->view()->viewport()->grab().isNull());
        QVERIFY(!f.main->tableStatusBar()->currentMessage().isEmpty());
    }

    void changesFromOutside_data()
    {
        // button on the bar: 0 Reload, 1 Keep Mine, 2 Reload with "(mine)"
        // taken, -1 none; atClose: 0 Overwrite, 1 Save As..., -1 Keep Open.
        QTest::addColumn<QString>("change");
        QTest::addColumn<bool>("edited");
        QTest::addColumn<int>("button");
        QTest::addColumn<int>("atClose");
        const auto row = [](const char *name, const char *change, bool edited, int button, int atClose = 0) {
            QTest::newRow(name) << QString::fromLatin1(change) << edited << button << atClose;
        };
        row("touch, edited", "touch", true, -1);
        row("rewritten, unedited", "rewrite", false, -1);
        row("rewritten under the palette: read when it closes", "palette", false, -1);
        row("renamed over, unedited", "rename", false, -1);
        row("rewritten, edited, Reload", "rewrite", true, 0);
        row("rewritten, edited, Reload, a name taken", "rewrite", true, 2);
        row("renamed over, edited, Keep Mine, Overwrite", "rename", true, 1);
        row("rewritten, edited, Save As", "rewrite", true, -1, 1);
        row("rewritten, edited, Keep Open", "rewrite", true, -1, -1);
    }

    void changesFromOutside()
    {
        QFETCH(QString, change);
        QFETCH(bool, edited);
        QFETCH(int, button);
        QFETCH(int, atClose);
        DocumentFixture f;
        const QString path = f.table("Harbour.plt", kTable), copy = f.folder.file("Plot Tables/Ours.plt");
        const QString mine = button == 2 ? "Plot Tables/Harbour (mine 2).plt" : "Plot Tables/Harbour (mine).plt";
        if (button == 2)
            f.table("Harbour (mine).plt", kTable);
        PlotWindow *w = f.open(path);
        w->view()->setZoom(2.0, QPoint(0, 0));
        if (edited)
            w->document()->edit(ElementKind::Note, 1, QStringLiteral("Mine"));
        QFile file(path);
        if (change == u"touch") {
            QVERIFY(file.open(QIODevice::ReadWrite)
                    && file.setFileTime(QDateTime::currentDateTime().addSecs(5), QFileDevice::FileModificationTime));
        } else { // in place, or a new file renamed over it
            if (change == u"palette")
                w->placing()->backgroundMouseDown(Qt::RightButton, QPointF(100, 100));
            const QString written = change != u"rename" ? "Harbour.plt" : "new.tmp";
            const QByteArray from = QFile::encodeName(f.table(written, kOther));
            QVERIFY(::rename(from.constData(), QFile::encodeName(path).constData()) == 0);
            if (change == u"palette") { // nothing is pulled from under an open pop-up
                w->outsideChanges()->watcher()->check();
                QCOMPARE(w->document()->count(ElementKind::Icon), 1);
                w->palette()->hide();
            }
        }
        // Seen by the watch on its own, a rename over the file too.
        QTRY_VERIFY_WITH_TIMEOUT(change == u"touch" || edited || w->document()->count(ElementKind::Icon) == 2, 2000);
        w->outsideChanges()->watcher()->check();
        const bool real = change != u"touch";
        ReloadBar *bar = w->outsideChanges()->bar();
        QCOMPARE(bar->isVisibleTo(w), real && edited);
        QCOMPARE(w->document()->count(ElementKind::Icon), real && !edited ? 2 : 1);
        QCOMPARE(w->view()->zoom(), 2.0);
        QCOMPARE(f.main->tableStatusBar()->currentMessage().contains("read again"), real && !edited);
        if (button >= 0 && bar->isVisibleTo(w))
            (button == 1 ? bar->keepMineButton() : bar->reloadButton())->click();
        QCOMPARE(f.folder.readBytes(mine).contains("Mine"), button == 0 || button == 2);
        QVERIFY(f.services.callsOf("askChoice").isEmpty()); // no box so far
        f.services.answerChoice(atClose);
        f.services.answerSave(copy);
        DocumentFixture::close(w);
        // Only edits kept against a real change are asked about, Save As...
        // the default; they win only by Overwrite.
        const bool asked = real && edited && button % 2 != 0, mineWins = edited && (!real || (asked && atClose == 0));
        const auto asks = f.services.callsOf("askChoice");
        QCOMPARE(asks.size(), int(asked));
        QVERIFY(!asked || asks[0].defaultText == "&Save As...");
        QCOMPARE(f.main->tableWindowCount(), int(asked && atClose == -1));
        QCOMPARE(QFile::exists(copy), asked && atClose == 1);
        const QByteArray now = f.folder.readBytes(kHarbour);
        QCOMPARE(QList<bool>({now.contains("Buoy"), now.contains("Mine")}), QList<bool>({real && !mineWins, mineWins}));
    }

    void editSavedByAnotherUserInAReadOnlyFolder()
    {
        // A table that may be written in a folder that may not: no lock, and the edit written in place.
        if (geteuid() != 0)
            QSKIP("becoming another user takes root");
        DocumentFixture f;
        const QString path = f.table("Harbour.plt", kTable);
        const QByteArray tables = QFile::encodeName(f.folder.file("Plot Tables"));
        QVERIFY(::chmod(QFile::encodeName(f.folder.path()).constData(), 0755) == 0);
        QVERIFY(::chmod(tables.constData(), 0555) == 0 && ::chmod(QFile::encodeName(path).constData(), 0666) == 0);
        QVERIFY(seteuid(65534) == 0);
        PlotWindow *w = f.open(path);
        const QString said = f.main->tableStatusBar()->currentMessage();
        w->document()->edit(ElementKind::Icon, 1, QStringLiteral("Saved by nobody"));
        DocumentFixture::close(w);
        QVERIFY(seteuid(0) == 0 && ::chmod(tables.constData(), 0755) == 0);
        QVERIFY(said.contains("others who open it are not warned") && f.services.callsOf("saveFile").isEmpty());
        QVERIFY(f.folder.readBytes(kHarbour).contains("Saved by nobody"));
    }
};

QTEST_MAIN(TestGuard)
#include "tst_guard.moc"
