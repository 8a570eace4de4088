// File > New: name, picture and icon set, then the new table opens.

#include "DocumentFixture.h"

#include <QtTest>

// The calls on the services in order, each as "kind text|title|default|icon",
// the open dialog as "openFile title|filter|folder", a choice with its
// choices after the icon.
static QStringList asked(const ScriptedServices &services)
{
    QStringList log;
    for (const ScriptedServices::Call &c : services.calls) {
        QStringList fields;
        if (c.kind == "openFile")
            fields << c.dialog.title << c.dialog.filter << c.dialog.folder;
        else
            fields << c.text << c.title << c.defaultText << QString::number(int(c.icon));
        if (c.kind == "askTextFromList")
            fields << c.arguments;
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
        // name: "<Cancel>" cancels the question; picture: chosen in
        // Elsewhere/ (90 x 60), "" cancels the dialog. The sets S and
        // BasicSet are there; another set is warned about.
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("picture");
        QTest::addColumn<QString>("iconSet");
        QTest::addColumn<QString>("file");
        QTest::newRow("Harbour") << "Harbour" << "harbour.jpg" << "BasicSet" << "Harbour.plt";
        QTest::newRow("nine characters removed") << "a/b:c?\"|*<>\\" << "h.jpg" << "S" << "abc.plt";
        QTest::newRow(".plt appended") << "x.plt" << "h.jpg" << "S" << "x.plt.plt";
        QTest::newRow("empty name") << "" << "h.jpg" << "S" << ".plt";
        QTest::newRow("name cancelled") << "<Cancel>" << "h.jpg" << "S" << "";
        QTest::newRow("icon set cancelled") << "H" << "h.jpg" << "" << "H.plt";
        QTest::newRow("icon set of another case") << "H" << "h.jpg" << "basicset" << "H.plt";
        QTest::newRow("icon set not there") << "H" << "h.jpg" << "Nowhere" << "H.plt";
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
        f.folder.writeIconSet("S", 1);
        f.folder.writeIconSet("BasicSet", 2);
        QDir().mkpath(f.folder.file("Icons/Empty"));
        if (!picture.isEmpty())
            f.folder.writePicture("Elsewhere/" + picture, QSize(90, 60));
        if (name == "<Cancel>")
            f.services.cancelInput();
        else
            f.services.answerInput(name);
        f.services.answerOpen(picture.isEmpty() ? "" : f.folder.file("Elsewhere/" + picture));
        f.services.answerInput(iconSet);
        f.main->newAction()->trigger();

        QStringList questions{
            "askText Plotting Table Name: |Quenbrack||0",
            "openFile Choose background Image File|JPG Files|*.jpg|BMP Files|*.bmp|JPEG Files|"
            "*.jpeg|GIF Files|*.gif|" + f.folder.file("Plot Templates"),
            "askTextFromList Icon Set (Directory Name): |Choose Icon Set|BasicSet|0|BasicSet|Empty|S",
            "message There is no icon set \"Nowhere\" in the Icons folder, so the palette of "
            "this Plot Table will be empty until its pictures are put there.|Quenbrack||1"};
        const int asks = name == "<Cancel>" ? 1 : picture.isEmpty() ? 2 : 3;
        QCOMPARE(asked(f.services), questions.mid(0, iconSet == "Nowhere" ? 4 : asks));
        const QDir tables(f.folder.file("Plot Tables"));
        // Nothing but the table, and the lock of its open window.
        QStringList made = tables.entryList(QDir::Files | QDir::Hidden);
        made.removeAll(u'.' + file + QStringLiteral(".lock"));
        QCOMPARE(made.size(), file.isEmpty() ? 0 : 1);
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

    void takenNameIsRefused_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("existing");
        QTest::newRow("after removing characters") << "a:b" << "ab.plt";
        // Names below the program folder are matched without regard to case.
        QTest::newRow("other letter case") << "harbour" << "Harbour.plt";
        QTest::newRow("other case of the suffix") << "Pier" << "pier.PLT";
    }

    void takenNameIsRefused()
    {
        QFETCH(QString, name);
        QFETCH(QString, existing);
        DocumentFixture f;
        f.folder.writeBytes("Plot Tables/" + existing, "mine");
        f.services.answerInput(name);
        f.main->newAction()->trigger();
        QCOMPARE(asked(f.services), (QStringList{"askText Plotting Table Name: |Quenbrack||0",
                                                 "message File already exists!|Quenbrack||0"}));
        QCOMPARE(QDir(f.folder.file("Plot Tables")).entryList(QDir::Files),
                 QStringList{existing});
        QCOMPARE(f.folder.readBytes("Plot Tables/" + existing), QByteArray("mine"));
    }
};

QTEST_MAIN(TestNewPlotTable)
#include "tst_newplottable.moc"
