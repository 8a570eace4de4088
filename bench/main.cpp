// quenbrack-bench: generates a program folder with a large plot table and
// icon sets, times the editor's heavy paths on it, and prints one table of
// medians against their targets.
//
//   quenbrack-bench           full size, the sizes the targets are set for
//   quenbrack-bench --small   a smoke run of a few seconds, the same rows
//   --only GROUP              only one group of rows: file, window, history
//                             or export

#include "BenchProgramFolder.h"
#include "BenchSizes.h"
#include "ExportFigures.h"
#include "FigureTable.h"
#include "HistoryFigures.h"
#include "TableFileFigures.h"
#include "WindowFigures.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QSettings>

#include <cstdio>
#include <cstring>

int main(int argc, char *argv[])
{
    bool small = false;
    QString only;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--small") == 0) {
            small = true;
        } else if (std::strcmp(argv[i], "--only") == 0 && i + 1 < argc) {
            only = QString::fromLocal8Bit(argv[++i]);
        } else {
            std::fprintf(stderr, "usage: %s [--small] [--only file|window|history|export]\n",
                         argv[0]);
            return 2;
        }
    }
    auto wanted = [&only](const char *group) { return only.isEmpty() || only == QLatin1String(group); };
    // No display is needed, and a real one would let other windows and the
    // compositor into the timings.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);

    const BenchSizes sizes = small ? BenchSizes::small() : BenchSizes::full();
    QElapsedTimer preparing;
    preparing.start();
    BenchProgramFolder folder(sizes);
    if (!folder.isValid()) {
        std::fprintf(stderr, "could not make the program folder\n");
        return 1;
    }
    // The tables it opens are no user's recent tables.
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope,
                       folder.path() + QStringLiteral("/user-settings"));
    std::fprintf(stderr, "program folder ready in %.1f s; measuring...\n",
                 double(preparing.elapsed()) / 1e3);

    FigureTable table;
    // First, while the benchmark is small: a child's peak memory counts
    // the size of the process that started it.
    if (wanted("export"))
        ExportFigures(folder, sizes).run(table);
    if (wanted("file"))
        TableFileFigures(folder, sizes).run(table);
    if (wanted("window"))
        WindowFigures(folder, sizes).run(table);
    if (wanted("history"))
        HistoryFigures(folder, sizes).run(table);
    table.print(stdout);
    return 0;
}
