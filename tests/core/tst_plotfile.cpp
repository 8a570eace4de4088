// Plot table files read and written back; below the program folder, names
// resolved in any letter case, icon sets counted, the folder recorded.

#include "CaseInsensitivePath.h"
#include "IconSet.h"
#include "MachineSettings.h"
#include "PlotTableReader.h"
#include "PlotTableWriter.h"

#include <QBuffer>
#include <QtTest>

#include <sys/stat.h>
#include <unistd.h>

namespace {

QByteArray crlf(const QByteArrayList &lines)
{
    return lines.join("\r\n") + "\r\n";
}

// One line per element, so a failing comparison shows what differs.
QString describe(const PlotTable &table)
{
    QStringList out{QStringLiteral("bg[%1] set[%2]").arg(table.backgroundName, table.iconSetName)};
    for (const auto &[kind, elements] : {std::pair("icon", &table.icons), std::pair("note", &table.notes)}) {
        for (int k = 1; k <= elements->count(); ++k) {
            const PlotElement &e = (*elements)[k];
            out << QStringLiteral("%1 %2 [%3] #%4 key[%5] @%6,%7%8")
                       .arg(QLatin1String(kind)).arg(k).arg(e.text).arg(e.number).arg(e.pictureKey)
                       .arg(double(e.top)).arg(double(e.left)).arg(e.live ? "" : " hidden");
        }
    }
    return out.join(u'\n');
}

PlotTableReader::Result readBytes(const QByteArray &bytes, PlotTable &table, const QString &point = ".")
{
    PlotTableReader reader;
    reader.setDecimalPoint(point);
    return reader.read(bytes, table);
}

// A table of one icon with the given text.
QByteArray oneIcon(const QByteArray &text, const QByteArray &background = "a.jpg")
{
    return crlf({background, "Set", text, " 1 ", " 0 ", " 0 ", "[Notes]", "[End]"});
}

} // namespace

class TestPlotFile : public QObject
{
    Q_OBJECT
    QTemporaryDir m_root;

private slots:
    // Written back byte for byte when unedited; when the first icon's text is
    // replaced, in the encoding the table was read in while it fits.
    void writtenBack_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QByteArray>("written");
        QTest::addColumn<QString>("point");
        const auto same = [](const char *name, const QByteArray &bytes) {
            QTest::newRow(name) << bytes << QString() << bytes << ".";
        };
        same("blanks, signs, fractions, a note's number other than -1",
             crlf({"  harbour.jpg ", " BasicSet", "  Pier  ", " 1 ", "-600 ", " 1012.5 ", "[Notes]", " note ", " 7 ",
                   "-0.25 ", " 123456.7 ", "[End]"}));
        same("Windows-1252 texts", crlf({"caf\xe9.jpg", "Set", "\x80 5 \x93quoted\x94", " 1 ", " 0 ", " 0 ",
                                         "[Notes]", "\xc4rger", "-1 ", " 0 ", " 0 ", "[End]"}));
        same("UTF-8 texts beyond Windows-1252",
             crlf({"a.jpg", "Set", "\xe6\x9d\xb1\xe4\xba\xac port", " 1 ", "-0.25 ", " 1012.5 ", "[Notes]",
                   "\xc5\xbb\xc3\xb3\xc5\x82w", "-1 ", " 0 ", " 0 ", "[End]"}));
        same("line 1 beginning with a byte order mark of its own",
             QByteArray("\xef\xbb\xbf\xef\xbb\xbf\xe2\x82\xac.jpg\r\nSet\r\n[Notes]\r\n[End]\r\n"));
        // "Ã©" in Windows-1252 would be the bytes of "é" in UTF-8.
        same("text that Windows-1252 would make ambiguous", oneIcon("\xc3\x83\xc2\xa9"));
        // An unedited table keeps its bytes whichever way they were read.
        same("Windows-1252 bytes that are valid UTF-8", oneIcon("\xc3\xa9"));
        same("UTF-8 texts within Windows-1252", oneIcon("\xc3\x84rger", "caf\xc3\xa9.jpg"));
        same("UTF-8 with a byte order mark, texts within Windows-1252", "\xef\xbb\xbf" + oneIcon("x", "\xc3\xa9"));
        same("ASCII after a byte order mark", "\xef\xbb\xbf" + oneIcon("x"));

        const QString u = QStringLiteral("\u00fc");
        QTest::newRow("edited: UTF-8 stays UTF-8") << oneIcon("\xc3\xa9") << u << oneIcon("\xc3\xbc") << ".";
        QTest::newRow("edited: UTF-8 keeps its byte order mark")
            << "\xef\xbb\xbf" + oneIcon("x") << u << "\xef\xbb\xbf" + oneIcon("\xc3\xbc") << ".";
        QTest::newRow("edited: Windows-1252 while every text fits") << oneIcon("\xe9") << u << oneIcon("\xfc") << ".";
        QTest::newRow("edited: ASCII is written as Windows-1252") << oneIcon("x") << u << oneIcon("\xfc") << ".";
        QTest::newRow("edited: UTF-8 where Windows-1252 bytes would read as UTF-8")
            << oneIcon("x") << QStringLiteral("\u00c3\u00a9") << oneIcon("\xc3\x83\xc2\xa9") << ".";
        QTest::newRow("edited: Windows-1252 turns UTF-8 for a text beyond it")
            << oneIcon("x", "caf\xe9.jpg") << QStringLiteral("\u6771") << oneIcon("\xe6\x9d\xb1", "caf\xc3\xa9.jpg")
            << ".";
        QTest::newRow("edited: a line break is refused")
            << oneIcon("x") << "Pier\r6" << QByteArray("A text of the table holds a line break.") << ".";

        // Place lines as read and as written: seven significant digits in
        // plain notation; a line that does not convert keeps the template's 0.
        const auto places = [](const QByteArrayList &lines) {
            QByteArrayList table{"a.jpg", "Set"};
            for (qsizetype i = 0; i + 1 < lines.size(); i += 2)
                table << "x" << " 1 " << lines[i] << lines[i + 1];
            return crlf(table << "[Notes]" << "[End]");
        };
        QTest::newRow("numbers") << places({"1.5E2", "1e-5", "1e10", "12345678", "3.14159265", "1.00000011920929",
                                            "-0", "1,000", "1e40", "NaN", "", "5e"})
                                 << QString()
                                 << places({" 150 ", " 0.00001 ", " 10000000000 ", " 12345680 ", " 3.141593 ", " 1 ",
                                            " 0 ", " 0 ", " 0 ", " 0 ", " 0 ", " 0 "})
                                 << ".";
        QTest::newRow("decimal comma") << places({"1012,5", "1012.5"}) << QString()
                                       << places({" 1012,5 ", " 1012,5 "}) << ",";
    }

    void writtenBack()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, text);
        QFETCH(QByteArray, written);
        QFETCH(QString, point);
        PlotTable table;
        QCOMPARE(readBytes(bytes, table, point), PlotTableReader::Complete);
        if (!text.isNull())
            table.icons[1].text = text;
        QBuffer buffer;
        buffer.open(QIODevice::WriteOnly);
        PlotTableWriter writer;
        writer.setDecimalPoint(point);
        QCOMPARE(writer.write(buffer, table) ? buffer.data() : writer.errorString().toUtf8(), written);
    }

    void read_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("expected");
        QTest::newRow("example") << crlf({"harbour.jpg", "BasicSet", "Command post", " 12 ", " 1440 ", " 2535 ", "",
                                          " 3 ", " 600 ", " 4215 ", "[Notes]", "Check the north gate", "-1 ",
                                          " 3000 ", " 600 ", "[End]"})
                                 << "bg[harbour.jpg] set[BasicSet]\n"
                                    "icon 1 [Command post] #12 key[12] @1440,2535\n"
                                    "icon 2 [] #3 key[3] @600,4215\n"
                                    "note 1 [Check the north gate] #-1 key[-1] @3000,600";
        QTest::newRow("blanks around markers, a byte order mark before line 1")
            << QByteArray("\xef\xbb\xbf" "b\r\ns\r\n  [Notes] \r\nn\r\n-1 \r\n 1 \r\n 2 \r\n [End]  \r\n")
            << "bg[b] set[s]\nnote 1 [n] #-1 key[-1] @1,2";
        QTest::newRow("marker in small letters is an icon text, its number line's text names the picture")
            << crlf({"b", "s", "[notes]", " 07 ", " 1 ", " 2 ", "[Notes]"})
            << "bg[b] set[s]\nicon 1 [[notes]] #7 key[07] @1,2";
        QTest::newRow("lines after [End] are notes")
            << crlf({"b", "s", "[Notes]", "[End]", "late", "-1 ", " 5 ", " 6 ", ""})
            << "bg[b] set[s]\nnote 1 [late] #-1 key[-1] @5,6\nnote 2 [] #0 key[] @0,0";
        QTest::newRow("lone CR and lone LF end lines") << QByteArray("b\rs\nx\r 3 \n 1 \r 2 \r[Notes]\r")
                                                       << "bg[b] set[s]\nicon 1 [x] #3 key[3] @1,2";
        QTest::newRow("record cut short keeps template values")
            << crlf({"b", "s", "x", " 5 "}) << "bg[b] set[s]\nicon 1 [x] #5 key[5] @0,0\ncut short";
        QTest::newRow("ends before [Notes]") << crlf({"b", "s"}) << "bg[b] set[s]\ncut short";
        QTest::newRow("empty file") << QByteArray() << "bg[] set[]\ncut short";
        QTest::newRow("numbers that do not convert keep the template's value")
            << crlf({"b", "s", "a", "abc", "NaN", "1e40", "b", "99999999999", "1,5", "inf", "[Notes]"})
            << "bg[b] set[s]\nicon 1 [a] #0 key[abc] @0,0\nicon 2 [b] #0 key[99999999999] @0,0";
        QTest::newRow("halves round to even")
            << crlf({"b", "s", "a", "2.5", "0", "0", "b", "3.5", "0", "0", "c", "-2.5", ".5", "1E3", "[Notes]"})
            << "bg[b] set[s]\nicon 1 [a] #2 key[2.5] @0,0\nicon 2 [b] #4 key[3.5] @0,0\n"
               "icon 3 [c] #-2 key[-2.5] @0.5,1000";
    }

    void read()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, expected);
        PlotTable table;
        const bool complete = readBytes(bytes, table) == PlotTableReader::Complete;
        QCOMPARE(describe(table) + (complete ? "" : "\ncut short"), expected);
    }

    void unreadableTables()
    {
        PlotTable table;
        PlotTableReader reader;
        QCOMPARE(reader.read(m_root.filePath("none.plt"), table), PlotTableReader::OpenFailed);
        QVERIFY(!reader.errorString().isEmpty());
        QCOMPARE(reader.read(m_root.path(), table), PlotTableReader::OpenFailed);
    }

    void resolve_data()
    {
        for (const char *name : {"Icons/BasicSet/icon_1.jpg", "Icons/BasicSet/ICON_3.JPG", "Plot Tables/Harbour.plt",
                                 "Cases/Same.txt", "Cases/same.txt"})
            QVERIFY(QDir(m_root.path()).mkpath(QFileInfo(name).path())
                    && QFile(m_root.filePath(name)).open(QIODevice::WriteOnly));
        QTest::addColumn<QString>("relative");
        QTest::addColumn<QString>("expected");
        // The exact name wins over others of another case; else the first in order.
        for (const auto &[relative, expected] : {
                 std::pair{"Icons/BasicSet/icon_1.jpg", "Icons/BasicSet/icon_1.jpg"},
                 {"plot tables/harbour.PLT", "Plot Tables/Harbour.plt"}, {"Cases/same.txt", "Cases/same.txt"},
                 {"icons/basicset/icon_3.jpg", "Icons/BasicSet/ICON_3.JPG"}, {"cases/SAME.TXT", "Cases/Same.txt"},
                 {"ICONS\\BASICSET\\Icon_1.Jpg", "Icons/BasicSet/icon_1.jpg"}, {"Icons//BasicSet/", "Icons/BasicSet"},
                 {"plot tables/Missing.plt", "Plot Tables/Missing.plt"}, {"Nothing/Here.jpg", "Nothing/Here.jpg"}})
            QTest::newRow(relative) << relative << expected;
    }

    void resolve()
    {
        QFETCH(QString, relative);
        QFETCH(QString, expected);
        QCOMPARE(CaseInsensitivePath(m_root.path() + u'/').resolve(relative), m_root.filePath(expected));
    }

    void countIconSet_data()
    {
        // Icons/S holds icon_1.jpg .. icon_<run>.jpg and the others: a folder
        // where the name ends in "/", unreadable where it starts with "!".
        QTest::addColumn<int>("run");
        QTest::addColumn<QStringList>("others");
        QTest::addColumn<QString>("set");
        QTest::addColumn<int>("expected");
        QTest::newRow("gap after five") << 5 << QStringList{"icon_7.jpg"} << "S" << 5;
        QTest::newRow("icon_0 and icon_01, no icon_1") << 0 << QStringList{"icon_0.jpg", "icon_01.jpg"} << "S" << 0;
        QTest::newRow("mixed case") << 0 << QStringList{"icon_1.jpg", "Icon_2.Jpg", "ICON_3.JPG"} << "s" << 3;
        QTest::newRow("missing set folder") << 1 << QStringList() << "Other" << 0;
        QTest::newRow("empty set name") << 1 << QStringList() << "" << 0;
        QTest::newRow("folder for a picture") << 1 << QStringList{"icon_2.jpg/"} << "S" << 1;
        QTest::newRow("unreadable picture") << 2 << QStringList{"!icon_3.jpg", "icon_4.jpg"} << "S" << 2;
        QTest::newRow("stops at 32767") << 32768 << QStringList() << "S" << 32767;
    }

    void countIconSet()
    {
        QFETCH(int, run);
        QFETCH(QStringList, others);
        QFETCH(QString, set);
        QFETCH(int, expected);
        QTemporaryDir root;
        QDir folder(root.filePath("Icons/S"));
        QVERIFY(folder.mkpath("."));
        for (int n = 1; n <= run; ++n)
            others << QStringLiteral("icon_%1.jpg").arg(n);
        for (const QString &name : std::as_const(others)) {
            QFile file(folder.filePath(QString(name).remove(u'!')));
            QVERIFY(name.endsWith(u'/') ? folder.mkdir(name) : file.open(QIODevice::WriteOnly));
            QVERIFY(!name.startsWith(u'!') || file.setPermissions(QFileDevice::WriteOwner));
        }
        // Root reads anything: the count runs as "nobody" in a folder all may enter.
        for (const QString &entered : {root.path(), root.filePath("Icons"), folder.path()})
            QVERIFY(::chmod(QFile::encodeName(entered).constData(), 0755) == 0);
        const bool wasRoot = geteuid() == 0 && seteuid(65534) == 0;
        const int counted = IconSet::count(CaseInsensitivePath(root.path()), set);
        QVERIFY(!wasRoot || seteuid(0) == 0);
        QCOMPARE(counted, expected);
    }

    void settingsWrittenOverwrittenRefused()
    {
        // What start-up does: the key with its parents, then the value.
        const auto write = [](const QString &value) {
            QString key = "Software";
            for (const char *name : {"Brindlemoor", "Products", "Quenbrack"})
                MachineSettings::createKey(key += '\\' + QString(name));
            MachineSettings::setValue(key, "Path", value);
        };
        QTemporaryDir dir;
        qputenv("XDG_CONFIG_DIRS", (dir.path() + ":/etc/xdg").toUtf8());
        const QString store = dir.filePath("Brindlemoor/Quenbrack.ini");
        QFile file(store);
        const auto contents = [&file] { return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray(); };
        write("/opt/qb");
        // Another value and another product's section survive an overwrite.
        QVERIFY(file.open(QIODevice::Append) && file.write("Other=1\n[Software\\Elsewhere]\nPath=/keep\n") > 0);
        file.close();
        write("  /opt/Quen brack  ");
        const QByteArray written = "[Software\\Brindlemoor]\n[Software\\Brindlemoor\\Products]\n"
                                   "[Software\\Brindlemoor\\Products\\Quenbrack]\nPath=/opt/Quen brack\n"
                                   "Other=1\n[Software\\Elsewhere]\nPath=/keep\n";
        QCOMPARE(contents(), written);
        file.close();
        // A file where the folder should be: nothing written, also for root, and nothing said.
        qputenv("XDG_CONFIG_DIRS", store.toUtf8());
        write("/opt/other");
        QVERIFY(!QFile::exists(MachineSettings::storePath()));
        QCOMPARE(contents(), written);
    }
};

QTEST_GUILESS_MAIN(TestPlotFile)
#include "tst_plotfile.moc"
