// Help > Info and Help > About.

#include "DocumentFixture.h"
#include "CompassMdiArea.h"
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
    void oneHelpWindowLoadedAnewEachTime();
    void oneAboutBox();
    void versionLine_data();
    void versionLine();
};

void TestHelp::oneHelpWindowLoadedAnewEachTime()
{
    DocumentFixture f;
    f.main->show();
    f.folder.writeBytes(QStringLiteral("help.htm"), "<html><body><p>First page</p></body></html>");
    f.main->MenuInfo->trigger();
    Form1 *help = f.main->helpWindow();
    QVERIFY(help);
    f.main->MenuInfo->trigger();
    QCOMPARE(f.main->helpWindow(), help);
    QCOMPARE(f.main->mdiArea()->subWindowList().size(), 1);
    QCOMPARE(help->windowTitle(), QStringLiteral("Information"));
    QCOMPARE(help->parentWidget()->width(), 767); // 11500 twips
    QVERIFY(help->WebBrowser1->toPlainText().contains(QStringLiteral("First page")));
    QCOMPARE(f.main->docCnt, qint16(0));

    for (const QSize size : {QSize(500, 300), QSize(900, 700), QSize(20, 10)}) {
        help->parentWidget()->resize(size);
        QCOMPARE(help->WebBrowser1->geometry(), help->rect());
    }

    help->parentWidget()->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(!f.main->helpWindow());
    f.folder.writeBytes(QStringLiteral("help.htm"), "<html><body><p>Second page</p></body></html>");
    f.main->MenuInfo->trigger();
    QVERIFY(f.main->helpWindow()->WebBrowser1->toPlainText().contains(QStringLiteral("Second page")));
}

void TestHelp::oneAboutBox()
{
    DocumentFixture f;
    f.main->MenuAbout->trigger();
    frmAbout *about = f.main->aboutBox();
    QVERIFY(about);
    f.main->MenuAbout->trigger();
    QCOMPARE(f.main->aboutBox(), about);
    QVERIFY(about->isWindow());
    QCOMPARE(about->windowTitle(), QStringLiteral("About Quenbrack"));
    QCOMPARE(about->lblTitle->text(), QStringLiteral("Quenbrack"));
    QCOMPARE(about->lblVersion->text(), QStringLiteral("Version 1.0.1"));
    QVERIFY(about->cmdOK->isDefault());
    // The main window closing leaves the box open; Escape closes it.
    f.main->close();
    QVERIFY(about->isVisible());
    QTest::keyClick(about, Qt::Key_Escape);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(!f.main->aboutBox());
}

void TestHelp::versionLine_data()
{
    QTest::addColumn<int>("minor");
    QTest::addColumn<QString>("line");
    QTest::newRow("1.0.1") << 0 << "Version 1.0.1";
    QTest::newRow("1.10.1") << 10 << "Version 1.10.1";
}

void TestHelp::versionLine()
{
    QFETCH(int, minor);
    QFETCH(QString, line);
    QCOMPARE(frmAbout::versionLine(1, minor, 1), line);
}

QTEST_MAIN(TestHelp)
#include "tst_help.moc"
