#pragma once

#include <QStringList>

class QTextStream;

// The command line's export: tables written to pictures, PDF or SVG with no
// window and no display.
//
//   quenbrack --export OUT.png|.jpg|.bmp|.pdf|.svg [--scale PERCENT] [--legend] TABLE.plt
//   quenbrack --export-dir DIR --format png [--scale PERCENT] [--legend] TABLE.plt...
//
// One line on standard output per file written; every problem on standard
// error. The exit code is 0 only when every output was written.
class ExportCommand
{
public:
    enum ExitCode { Written = 0, Failed = 1, Usage = 2 };

    // Whether the arguments ask for this rather than for the editor: an
    // export, or --help or --version. Looked at before any application
    // object exists, since an export must not need a display.
    static bool isRequested(int argc, char *argv[]);

    // Makes its own application object on the offscreen platform and runs.
    static int run(int argc, char *argv[]);

    // The work, once the application object is there. programFolder: where
    // the templates and icon sets are.
    static int execute(const QStringList &arguments, const QString &programFolder,
                       QTextStream &out, QTextStream &err);
};
