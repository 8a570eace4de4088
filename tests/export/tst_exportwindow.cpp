// File > Export from an open window: what is drawn follows the window's
// stacking, what is hidden stays out of pictures but keeps its text, and
// the dialog remembers its choices.

#include "DocumentFixture.h"
#include "ExportDialog.h"
#include "TableContent.h"
#include "TableExporter.h"

#include <QLineEdit>
#include <QPushButton>
#include <QXmlStreamReader>
#include <QtTest>

namespace {

const QColor kNote(255, 255, 128);
const QColor kIcon(Qt::darkCyan);

// A white 200 x 100 table: icon 1 at (10, 10) under note 1 at (0, 0),
// note 2 ("Top") exactly over note 1 ("Below").
PlotWindow *crowded(DocumentFixture &f)
{
    f.folder.writePicture("Plot Templates/white.bmp", QSize(200, 100), Qt::white);
    f.folder.writePicture("Icons/Set/icon_1.jpg", QSize(24, 24), kIcon);
    return f.open(f.table("Crowded.plt", {"white.bmp", "Set", "Icon", " 1 ", " 150 ", " 150 ",
                                          "[Notes]", "Below", "-1 ", " 0 ", " 0 ", "Top", "-1 ",
                                          " 0 ", " 0 ", "[End]"}));
}

// JPEG moves a colour by a few steps.
bool near(const QColor &a, const QColor &b)
{
    return qAbs(a.red() - b.red()) + qAbs(a.green() - b.green()) + qAbs(a.blue() - b.blue()) < 12;
}

// Runs a modal dialog's answer from inside its event loop.
void whenModal(std::function<void(QWidget *)> answer)
{
    QTimer::singleShot(0, [answer] { answer(QApplication::activeModalWidget()); });
}

} // namespace

class TestExportWindow : public QObject
{
    Q_OBJECT
private slots:
    void followsTheWindowsStacking_data()
    {
        QTest::addColumn<bool>("noteLast");
        QTest::addColumn<QColor>("shown");
        QTest::newRow("icon placed over the notes") << false << kIcon;
        QTest::newRow("note placed over the icon") << true << kNote;
    }
    void followsTheWindowsStacking()
    {
        QFETCH(bool, noteLast);
        QFETCH(QColor, shown);
        DocumentFixture f;
        PlotWindow *w = crowded(f);
        // Added while the window is open, at (120, 40) pixels.
        if (noteLast) {
            w->addIcon(1, "Later icon", QPointF(1800, 600));
            w->addNote("Later note", QPointF(1650, 450));
        } else {
            w->addNote("Later note", QPointF(1650, 450));
            w->addIcon(1, "Later icon", QPointF(1800, 600));
        }
        const TableContent content(*w);
        QTemporaryDir dir;
        QVERIFY(TableExporter(content).write({dir.filePath("w.png"), "png", 1.0, 96, false}));
        const QImage out(dir.filePath("w.png"));
        QVERIFY2(near(out.pixelColor(132, 52), shown), qPrintable(out.pixelColor(132, 52).name()));
        QCOMPARE(out.pixelColor(20, 20), kNote); // icon 1 lies under note 1
    }

    void hiddenElementsKeepTheirTextOnly()
    {
        DocumentFixture f;
        const TableContent content(*crowded(f));
        QTemporaryDir dir;
        QVERIFY(TableExporter(content).write({dir.filePath("c.svg"), "svg", 1.0, 96, false}));
        QFile file(dir.filePath("c.svg"));
        QVERIFY(file.open(QIODevice::ReadOnly));
        QXmlStreamReader xml(&file);
        int images = 0;
        QStringList texts;
        while (!xml.atEnd()) {
            xml.readNext();
            if (xml.isStartElement() && xml.name() == QLatin1String("image"))
                ++images;
            if (xml.isStartElement() && xml.name() == QLatin1String("text"))
                texts << xml.readElementText();
        }
        QCOMPARE(images, 1); // the background; not the icon under the notes
        QCOMPARE(texts, (QStringList{"Below", "Top"}));
    }

    void dialogRemembersAndReports_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("message");
        QTest::newRow("written") << "out.pdf" << "";
        QTest::newRow("no such folder") << "gone/out.png" << "does not exist";
    }
    void dialogRemembersAndReports()
    {
        QFETCH(QString, name);
        QFETCH(QString, message);
        DocumentFixture f;
        crowded(f);
        QTemporaryDir dir;
        const QString path = QDir(dir.path()).filePath(name);
        whenModal([path](QWidget *modal) {
            auto *dialog = qobject_cast<ExportDialog *>(modal);
            QVERIFY(dialog);
            dialog->pathField()->setText(path);
            dialog->okButton()->click();
        });
        f.main->exportAction()->trigger();
        QCOMPARE(QFile::exists(path), message.isEmpty());
        const QList<ScriptedServices::Call> messages = f.services.callsOf("message");
        QCOMPARE(messages.size(), message.isEmpty() ? 0 : 1);
        if (!message.isEmpty())
            QVERIFY2(messages[0].text.contains(message), qPrintable(messages[0].text));
        if (!message.isEmpty())
            return;
        // The next export starts where this one went, with its kind of file.
        ExportDialog again("Next", QSize(10, 10), f.services);
        QCOMPARE(QDir::fromNativeSeparators(again.pathField()->text()),
                 QFileInfo(path).absolutePath() + "/Next." + QFileInfo(name).suffix());
    }
};

QTEST_MAIN(TestExportWindow)
#include "tst_exportwindow.moc"
