#include "HistoryFigures.h"

#include "BenchProgramFolder.h"
#include "DocumentJournal.h"
#include "FigureTable.h"
#include "JournalFile.h"
#include "MainWindow.h"
#include "PlotDocument.h"
#include "PlotWindow.h"
#include "ProcessMemory.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QMdiSubWindow>
#include <QTemporaryDir>
#include <QUndoStack>

#include <cstdio>

namespace {

double elapsedMs(const QElapsedTimer &timer)
{
    return double(timer.nsecsElapsed()) / 1e6;
}

constexpr int kSteps = 10000;

// As the user closes it; the large table is written back, as the window
// figures do with it too.
void closeWindow(PlotWindow *window)
{
    window->parentWidget()->close();
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

// A place on the picture for step k, spread over it.
QPointF placeFor(int k)
{
    return QPointF(15 * (k * 37 % 1900), 15 * (k * 53 % 1400));
}

// Qt paints at the platform's next frame, after a timer that
// processEvents() does not wait for; an update request paints what is
// waiting at once, so that the figure holds the repaint.
void repaintNow(PlotWindow *window)
{
    QApplication::processEvents();
    QEvent request(QEvent::UpdateRequest);
    QApplication::sendEvent(window->window(), &request);
}

} // namespace

HistoryFigures::HistoryFigures(const BenchProgramFolder &folder, const BenchSizes &sizes)
    : m_folder(folder)
    , m_sizes(sizes)
    , m_main(std::make_unique<MainWindow>(folder.path(), m_services))
{
}

HistoryFigures::~HistoryFigures() = default;

void HistoryFigures::run(FigureTable &table)
{
    m_main->show();
    PlotWindow *window = m_main->openFile(m_folder.largeTablePath());
    if (!window) {
        std::fprintf(stderr, "undo: the large table did not open\n");
        return;
    }
    QApplication::processEvents();
    undoAndRedo(window, table);
    historyMemory(window, table);
    closeWindow(window);
    journalShare(table);
    replay(table);
}

void HistoryFigures::undoAndRedo(PlotWindow *window, FigureTable &table)
{
    PlotDocument *document = window->document();
    QUndoStack *history = document->undoStack();
    QVector<double> undoMs;
    QVector<double> redoMs;
    for (int run = 0; run < m_sizes.moves; ++run) {
        const int n = 1 + run * 97 % document->count(ElementKind::Icon);
        document->carry(1000 + run, {{ElementKind::Icon, n}}, placeFor(run));
        QApplication::processEvents();
        QElapsedTimer timer;
        timer.start();
        history->undo();
        repaintNow(window); // both places
        undoMs << elapsedMs(timer);
        timer.restart();
        history->redo();
        repaintNow(window);
        redoMs << elapsedMs(timer);
    }
    table.addDuration(QStringLiteral("undo"), undoMs, 2);
    table.addDuration(QStringLiteral("redo"), redoMs, 2);
}

void HistoryFigures::historyMemory(PlotWindow *window, FigureTable &table)
{
    PlotDocument *document = window->document();
    document->undoStack()->clear();
    ProcessMemory::settleHeap();
    const qint64 before = ProcessMemory::heapBytes();
    for (int k = 0; k < kSteps; ++k) {
        const int n = 1 + k * 31 % document->count(ElementKind::Note);
        if (k % 2)
            document->carry(5000 + k, {{ElementKind::Note, n}}, placeFor(k));
        else
            document->edit(ElementKind::Note, n, QStringLiteral("Step %1 of the history").arg(k));
    }
    const qint64 after = ProcessMemory::heapBytes();
    if (before == 0 || after == 0) {
        table.addDetail(QStringLiteral("history: the heap cannot be measured here"));
        return;
    }
    table.addMemory(QStringLiteral("history"), {double(after - before) / 1e6}, 20);
    table.addDetail(QStringLiteral("history: %1 steps, each an edit or a move of a note")
                        .arg(document->undoStack()->count()));
}

void HistoryFigures::journalShare(FigureTable &table)
{
    // A document of its own, with no view, so that an edit costs the
    // document's bookkeeping and the journal's, and nothing to paint.
    QTemporaryDir dir;
    PlotDocument document;
    QByteArray bytes;
    document.load(m_folder.largeTablePath(), &bytes);
    DocumentJournal journal(document);
    const QString path = dir.filePath(QStringLiteral("large.plt"));
    journal.start(path, JournalFile::identify(path, bytes), bytes);
    document.setText(ElementKind::Icon, 1, QStringLiteral("first")); // starts the file
    QVector<double> editMs;
    const int icons = document.count(ElementKind::Icon);
    for (int k = 0; k < m_sizes.moves * 10; ++k) {
        QElapsedTimer timer;
        timer.start();
        document.move(ElementKind::Icon, 1 + k * 13 % icons, placeFor(k));
        editMs << elapsedMs(timer);
    }
    if (!journal.flush())
        std::fprintf(stderr, "journal: %s\n", qPrintable(journal.errorString()));
    else if (QFile(JournalFile::journalPathFor(path)).size() < 20 * editMs.size())
        std::fprintf(stderr, "journal: the moves did not reach the file\n");
    table.addDuration(QStringLiteral("journal"), editMs, 0.1);
    journal.discard();
}

void HistoryFigures::replay(FigureTable &table)
{
    // The records a long session leaves: moves, texts and removals.
    QList<JournalRecord> records;
    const int icons = m_sizes.icons;
    for (int k = 0; k < kSteps; ++k) {
        JournalRecord record{JournalRecord::Place, ElementKind::Icon, 1 + k * 7 % icons, {}};
        const QPointF at = placeFor(k);
        record.value.left = float(at.x());
        record.value.top = float(at.y());
        if (k % 5 == 0) {
            record.type = JournalRecord::Text;
            record.value.text = QStringLiteral("Recovered %1").arg(k);
        }
        records << record;
    }
    QVector<double> replayMs;
    for (int run = 0; run < qMin(m_sizes.runs, 5); ++run) {
        PlotWindow *window = m_main->openFile(m_folder.largeTablePath());
        if (!window)
            return;
        QApplication::processEvents();
        QElapsedTimer timer;
        timer.start();
        const int applied = DocumentJournal::replay(*window->document(), records);
        QApplication::processEvents();
        replayMs << elapsedMs(timer);
        if (applied != records.size())
            std::fprintf(stderr, "replay: %d of %lld records applied\n", applied,
                         qlonglong(records.size()));
        closeWindow(window);
    }
    table.addDuration(QStringLiteral("replay"), replayMs, 300);
}
