#include "ExportFigures.h"

#include "BenchProgramFolder.h"
#include "FigureTable.h"

#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>

#include <cstdio>

#include <fcntl.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

extern char **environ;

ExportFigures::ExportFigures(const BenchProgramFolder &folder, const BenchSizes &sizes)
    : m_folder(folder)
    , m_sizes(sizes)
{
    // The program takes its templates and icon sets from its own folder:
    // a copy of it goes into the benchmark's.
    m_program = folder.file(QStringLiteral("quenbrack"));
    QFile::remove(m_program);
    if (!QFile::copy(QStringLiteral(QUENBRACK_BINARY), m_program))
        m_program.clear();
}

ExportFigures::Run ExportFigures::exportOnce(const QStringList &arguments) const
{
    Run run;
    QList<QByteArray> bytes;
    bytes.append(QFile::encodeName(m_program));
    for (const QString &argument : arguments)
        bytes.append(QFile::encodeName(argument));
    QVector<char *> argv;
    for (QByteArray &argument : bytes)
        argv.append(argument.data());
    argv.append(nullptr);

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
    QElapsedTimer timer;
    timer.start();
    pid_t child = 0;
    const int spawned = posix_spawn(&child, argv[0], &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    if (spawned != 0)
        return run;
    int status = 0;
    struct rusage usage = {};
    if (wait4(child, &status, 0, &usage) != child)
        return run;
    run.milliseconds = double(timer.nsecsElapsed()) / 1e6;
    // ru_maxrss is in kilobytes on Linux. The kernel carries the peak of the
    // process image that exec replaced into it, here the benchmark's own
    // size when it started the child: an upper bound, taken while it is
    // small.
    run.peakMegabytes = double(usage.ru_maxrss) * 1024 / 1e6;
    run.written = WIFEXITED(status) && WEXITSTATUS(status) == 0;
    return run;
}

void ExportFigures::run(FigureTable &table)
{
    if (m_program.isEmpty()) {
        std::fprintf(stderr, "export: the program could not be copied\n");
        return;
    }
    struct Kind
    {
        const char *name;
        const char *suffix;
        double targetMs;
    };
    const Kind kinds[] = {{"export png", "png", 500}, {"export pdf", "pdf", 2000},
                          {"export svg", "svg", 3000}};
    for (const Kind &kind : kinds) {
        const QString out = m_folder.file(QStringLiteral("export.") + QLatin1String(kind.suffix));
        QVector<double> times;
        QVector<double> peaks;
        // The first run fills the disk cache with the program and its
        // libraries, as any second start finds them, and is not counted.
        for (int run = -1; run < m_sizes.runs; ++run) {
            const Run result = exportOnce({QStringLiteral("--export"), out,
                                           m_folder.largeTablePath()});
            if (!result.written || !QFileInfo(out).size()) {
                std::fprintf(stderr, "%s: nothing written\n", kind.name);
                return;
            }
            if (run >= 0) {
                times << result.milliseconds;
                peaks << result.peakMegabytes;
            }
        }
        table.addDuration(QString::fromLatin1(kind.name), times, kind.targetMs);
        table.addMemory(QString::fromLatin1(kind.name) + QStringLiteral(" memory"), peaks, 300);
    }
}
