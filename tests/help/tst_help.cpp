// Help > Info and Help > About: one window each.

#include "DocumentFixture.h"
#include "HelpWindow.h"
#include "AboutBox.h"

#include <QLabel>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QTextBrowser>
#include <QtTest>

class TestHelp : public QObject
{
    Q_OBJECT
private slots:
    void oneWindowEach()
    {
        DocumentFixture f;
        f.main->show();
        // Info twice gives one window; closed and opened again, it reads the page anew.
        for (const QString page : {"First page", "Second page"}) {
            f.folder.writeBytes("help.htm", "<p>" + page.toUtf8() + "</p>");
            f.main->infoAction()->trigger();
            f.main->infoAction()->trigger();
            HelpWindow *help = f.main->helpWindow();
            QCOMPARE(f.main->findChildren<QMdiSubWindow *>().size(), 1);
            QCOMPARE(f.main->tableWindowCount(), int(0));
            QCOMPARE(help->windowTitle(), "Information");
            QCOMPARE(help->browser()->toPlainText(), page);
            QCOMPARE(help->parentWidget()->width(), 767); // 11500 twips
            for (const QSize size : {QSize(900, 700), QSize(20, 10)}) {
                help->parentWidget()->resize(size);
                QCOMPARE(help->browser()->geometry(), help->rect());
            }
            help->parentWidget()->close();
            QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
            QVERIFY(!f.main->helpWindow());
        }

        f.main->aboutAction()->trigger();
        AboutBox *about = f.main->aboutBox();
        f.main->aboutAction()->trigger();
        QCOMPARE(f.main->aboutBox(), about);
        QVERIFY(about->isWindow());
        QCOMPARE(about->windowTitle(), "About Quenbrack");
        QCOMPARE(about->versionLabel()->text(), "Version 1.0.1");
        QVERIFY(about->okButton()->isDefault());
        // Closing the main window leaves the box open; Escape closes it.
        f.main->close();
        QVERIFY(about->isVisible());
        QTest::keyClick(about, Qt::Key_Escape);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(!f.main->aboutBox());
    }
};

QTEST_MAIN(TestHelp)
#include "tst_help.moc"
