// Help > Info and Help > About: one window each.

#include "DocumentFixture.h"
#include "Form1.h"
#include "frmAbout.h"

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
            f.main->MenuInfo->trigger();
            f.main->MenuInfo->trigger();
            Form1 *help = f.main->helpWindow();
            QVERIFY(help);
            QCOMPARE(f.main->findChildren<QMdiSubWindow *>().size(), 1);
            QCOMPARE(f.main->docCnt, qint16(0));
            QCOMPARE(help->windowTitle(), "Information");
            QCOMPARE(help->WebBrowser1->toPlainText(), page);
            QCOMPARE(help->parentWidget()->width(), 767); // 11500 twips
            for (const QSize size : {QSize(500, 300), QSize(900, 700), QSize(20, 10)}) {
                help->parentWidget()->resize(size);
                QCOMPARE(help->WebBrowser1->geometry(), help->rect());
            }
            help->parentWidget()->close();
            QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
            QVERIFY(!f.main->helpWindow());
        }

        f.main->MenuAbout->trigger();
        frmAbout *about = f.main->aboutBox();
        QVERIFY(about);
        f.main->MenuAbout->trigger();
        QCOMPARE(f.main->aboutBox(), about);
        QVERIFY(about->isWindow());
        QCOMPARE(about->windowTitle(), "About Quenbrack");
        QCOMPARE(about->lblTitle->text(), "Quenbrack");
        QCOMPARE(about->lblVersion->text(), "Version 1.0.1");
        QVERIFY(about->cmdOK->isDefault());
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
