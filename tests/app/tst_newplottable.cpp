// File > New: name, picture and icon set, then the new table opens.

#include "DocumentFixture.h"

#include <QDir>
#include <QtTest>

class TestNewPlotTable : public QObject
{
    Q_OBJECT
private slots:
    void create_data();
    void create();
    void takenNameIsRefused();
    void pictureAlreadyInTemplatesIsNotReplaced();
};

void TestNewPlotTable::create_data()
{
    // picture: "" cancels the dialog; "elsewhere" a map.jpg outside the
    // program folder.
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("picture");
    QTest::addColumn<QString>("iconSet");
    QTest::addColumn<QString>("file");
    QTest::addColumn<QString>("secondLine");
    QTest::newRow("Harbour") << "Harbour" << "elsewhere" << "BasicSet" << "Harbour.plt"
                             << "BasicSet";
    QTest::newRow("forbidden characters removed") << "a/b:c?\"|*<>\\" << "elsewhere" << "Set"
                                                  << "abc.plt" << "Set";
    QTest::newRow(".plt always appended") << "x.plt" << "elsewhere" << "Set" << "x.plt.plt"
                                          << "Set";
    QTest::newRow("name cancelled") << "" << "elsewhere" << "Set" << ".plt" << "Set";
    QTest::newRow("icon set cancelled") << "Harbour" << "elsewhere" << "" << "Harbour.plt" << "";
    QTest::newRow("picture dialog cancelled") << "Harbour" << "" << "Set" << QString() << "";
}

void TestNewPlotTable::create()
{
    QFETCH(QString, name);
    QFETCH(QString, picture);
    QFETCH(QString, iconSet);
    QFETCH(QString, file);
    QFETCH(QString, secondLine);
    DocumentFixture f;
    QTemporaryDir elsewhere;
    const QString map = elsewhere.filePath(QStringLiteral("map.jpg"));
    f.folder.writePicture(QStringLiteral("../") + QFileInfo(elsewhere.path()).fileName()
                              + QStringLiteral("/map.jpg"),
                          QSize(90, 60));
    QVERIFY(QFile::exists(map));
    QDir(f.folder.file(QStringLiteral("Plot Tables"))).removeRecursively();
    f.services.answerInput(name);
    f.services.answerOpen(picture.isEmpty() ? QString() : map);
    f.services.answerInput(iconSet);
    f.main->MenuNew->trigger();

    const auto dialogs = f.services.callsOf(QStringLiteral("ShowOpen"));
    QCOMPARE(dialogs.size(), 1);
    const CommonDialog &cd = dialogs[0].dialog;
    QCOMPARE(cd.DialogTitle, QStringLiteral("Choose background Image File"));
    QCOMPARE(cd.Filter,
             QStringLiteral("JPG Files|*.jpg|BMP Files|*.bmp|JPEG Files|*.jpeg|GIF Files|*.gif"));
    QCOMPARE(cd.InitDir, f.folder.file(QStringLiteral("Plot Templates")));
    QCOMPARE(cd.Flags, 8);
    const auto inputs = f.services.callsOf(QStringLiteral("InputBox"));
    QCOMPARE(inputs[0].text, QStringLiteral("Plotting Table Name: "));
    QCOMPARE(inputs[0].title, QStringLiteral("Quenbrack"));
    QCOMPARE(inputs[0].defaultText, QString());
    QVERIFY(f.services.callsOf(QStringLiteral("MsgBox")).isEmpty());

    if (file.isEmpty()) {
        QCOMPARE(inputs.size(), 1);
        QVERIFY(QDir(f.folder.file(QStringLiteral("Plot Tables"))).isEmpty());
        QCOMPARE(f.main->docCnt, qint16(0));
        return;
    }
    QCOMPARE(inputs[1].text, QStringLiteral("Icon Set (Directory Name): "));
    QCOMPARE(inputs[1].title, QStringLiteral("Choose Icon Set"));
    QCOMPARE(inputs[1].defaultText, QStringLiteral("BasicSet"));
    const QString path = f.folder.file(QStringLiteral("Plot Tables/") + file);
    QCOMPARE(f.folder.readBytes(path),
             TestProgramFolder::crlf({"map.jpg", secondLine, "[Notes]", "[End]"}));
    QVERIFY(QFile::exists(f.folder.file(QStringLiteral("Plot Templates/map.jpg"))));
    QCOMPARE(f.main->docCnt, qint16(1));
    QCOMPARE(f.main->docWindows().first()->windowTitle(), path);
}

void TestNewPlotTable::takenNameIsRefused()
{
    DocumentFixture f;
    f.folder.writeBytes(QStringLiteral("Plot Tables/ab.plt"), "mine");
    f.services.answerInput(QStringLiteral("a:b"));
    f.main->MenuNew->trigger();
    QCOMPARE(f.services.calls.size(), 2);
    QCOMPARE(f.services.calls[1].kind, QStringLiteral("MsgBox"));
    QCOMPARE(f.services.calls[1].text, QStringLiteral("File already exists!"));
    QCOMPARE(f.services.calls[1].title, QStringLiteral("Quenbrack"));
    QCOMPARE(f.services.calls[1].icon, MessageIcon::None);
    QCOMPARE(f.folder.readBytes(QStringLiteral("Plot Tables/ab.plt")), QByteArray("mine"));
}

void TestNewPlotTable::pictureAlreadyInTemplatesIsNotReplaced()
{
    DocumentFixture f;
    f.folder.writePicture(QStringLiteral("Plot Templates/map.jpg"), QSize(30, 20));
    const QByteArray before = f.folder.readBytes(QStringLiteral("Plot Templates/map.jpg"));
    f.folder.writePicture(QStringLiteral("Other/MAP.jpg"), QSize(90, 60));
    f.services.answerInput(QStringLiteral("T"));
    f.services.answerOpen(f.folder.file(QStringLiteral("Other/MAP.jpg")));
    f.services.answerInput(QStringLiteral("BasicSet"));
    f.main->MenuNew->trigger();
    QCOMPARE(f.folder.readBytes(QStringLiteral("Plot Templates/map.jpg")), before);
    QVERIFY(!QFile::exists(f.folder.file(QStringLiteral("Plot Templates/MAP.jpg"))));
    QCOMPARE(f.main->docWindows().first()->sizeHint(), QSize(30, 20));
}

QTEST_MAIN(TestNewPlotTable)
#include "tst_newplottable.moc"
