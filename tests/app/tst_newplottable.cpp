// File > New: name, picture and icon set, then the new table opens.

#include "DocumentFixture.h"

#include <QtTest>

// The calls on the services in order, each as "kind text|title|default|icon",
// the open dialog as "openFile title|filter|folder".
static QStringList asked(const ScriptedServices &services)
{
    QStringList log;
    for (const ScriptedServices::Call &c : services.calls) {
        QStringList fields;
        if (c.kind == "openFile")
            fields << c.dialog.title << c.dialog.filter << c.dialog.folder;
        else
            fields << c.text << c.title << c.defaultText << QString::number(int(c.icon));
        log << c.kind + ' ' + fields.join('|');
    }
    return log;
}

class TestNewPlotTable : public QObject
{
    Q_OBJECT
private slots:
    void create_data()
    {
        // picture: chosen in Elsewhere/ (90 x 60); "" cancels the dialog.
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("picture");
        QTest::addColumn<QString>("iconSet");
        QTest::addColumn<QString>("file");
        QTest::newRow("Harbour") << "Harbour" << "harbour.jpg" << "BasicSet" << "Harbour.plt";
        QTest::newRow("nine characters removed") << "a/b:c?\"|*<>\\" << "h.jpg" << "S" << "abc.plt";
        QTest::newRow(".plt appended") << "x.plt" << "h.jpg" << "S" << "x.plt.plt";
        QTest::newRow("name cancelled") << "" << "h.jpg" << "S" << ".plt";
        QTest::newRow("icon set cancelled") << "H" << "h.jpg" << "" << "H.plt";
        QTest::newRow("picture cancelled") << "H" << "" << "S" << "";
        QTest::newRow("picture of that name kept") << "H" << "MAP.jpg" << "S" << "H.plt";
    }

    void create()
    {
        QFETCH(QString, name);
        QFETCH(QString, picture);
        QFETCH(QString, iconSet);
        QFETCH(QString, file);
        DocumentFixture f;
        QDir(f.folder.file("Plot Tables")).removeRecursively(); // New makes it anew
        f.folder.writePicture("Plot Templates/map.jpg", QSize(30, 20));
        if (!picture.isEmpty())
            f.folder.writePicture("Elsewhere/" + picture, QSize(90, 60));
        f.services.answerInput(name);
        f.services.answerOpen(picture.isEmpty() ? "" : f.folder.file("Elsewhere/" + picture));
        f.services.answerInput(iconSet);
        f.main->newAction()->trigger();

        const QStringList questions{
            "askText Plotting Table Name: |Quenbrack||0",
            "openFile Choose background Image File|JPG Files|*.jpg|BMP Files|*.bmp|JPEG Files|"
            "*.jpeg|GIF Files|*.gif|" + f.folder.file("Plot Templates"),
            "askText Icon Set (Directory Name): |Choose Icon Set|BasicSet|0"};
        QCOMPARE(asked(f.services), questions.mid(0, file.isEmpty() ? 2 : 3));
        const QDir tables(f.folder.file("Plot Tables"));
        QCOMPARE(tables.entryList(QDir::Files | QDir::Hidden).size(), file.isEmpty() ? 0 : 1);
        QCOMPARE(f.main->tableWindowCount(), int(!file.isEmpty()));
        if (file.isEmpty())
            return;
        QCOMPARE(f.folder.readBytes(tables.filePath(file)),
                 TestProgramFolder::crlf({picture, iconSet, "[Notes]", "[End]"}));
        QCOMPARE(f.main->tableWindows()[0]->path(), tables.filePath(file));
        // The background is the chosen picture's copy in Plot Templates, or
        // the picture of that name, in any case, that was there before.
        QCOMPARE(f.main->tableWindows()[0]->sizeHint(),
                 picture == "MAP.jpg" ? QSize(30, 20) : QSize(90, 60));
    }

    void takenNameIsRefused()
    {
        DocumentFixture f;
        f.folder.writeBytes("Plot Tables/ab.plt", "mine");
        f.services.answerInput("a:b");
        f.main->newAction()->trigger();
        QCOMPARE(asked(f.services), (QStringList{"askText Plotting Table Name: |Quenbrack||0",
                                                 "message File already exists!|Quenbrack||0"}));
        QCOMPARE(f.folder.readBytes("Plot Tables/ab.plt"), QByteArray("mine"));
    }
};

QTEST_MAIN(TestNewPlotTable)
#include "tst_newplottable.moc"
