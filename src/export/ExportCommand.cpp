#include "ExportCommand.h"

#include "ProgramFolder.h"
#include "TableContent.h"
#include "TableExporter.h"

#include <QCommandLineParser>
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QSet>
#include <QTextStream>

#include <cstring>

namespace {

constexpr qreal kSmallestPercent = 1;
constexpr qreal kLargestPercent = 1000;

// A table named on the command line: from the current folder as any
// command takes it, or else below the program folder as the editor does.
QString tableFile(const QString &argument, const ProgramFolder &folder)
{
    if (QFileInfo::exists(argument))
        return QFileInfo(argument).absoluteFilePath();
    return folder.tableFile(argument);
}

// The offscreen platform's remarks on the desktop session it does not have
// are no news to someone running an export from a script or a service.
QtMessageHandler g_defaultHandler = nullptr;

void quietHandler(QtMsgType type, const QMessageLogContext &context, const QString &message)
{
    if (type == QtWarningMsg && message.startsWith(QLatin1String("QStandardPaths:")))
        return;
    if (g_defaultHandler)
        g_defaultHandler(type, context, message);
}

} // namespace

bool ExportCommand::isRequested(int argc, char *argv[])
{
    for (int i = 1; i < argc; ++i) {
        const char *arg = argv[i];
        for (const char *option : {"--export", "--export-dir", "--help", "-h", "--help-all",
                                   "--version", "-v"}) {
            const size_t length = std::strlen(option);
            if (std::strncmp(arg, option, length) == 0
                && (arg[length] == '\0' || (arg[length] == '=' && option[1] == '-')))
                return true;
        }
    }
    return false;
}

int ExportCommand::run(int argc, char *argv[])
{
    // No window is ever shown: the offscreen platform needs no display, and
    // fonts and pictures work there as on any other.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    g_defaultHandler = qInstallMessageHandler(quietHandler);
    QGuiApplication app(argc, argv);
    QGuiApplication::setApplicationName(QStringLiteral("Quenbrack"));
    QGuiApplication::setApplicationVersion(QStringLiteral(QUENBRACK_VERSION));
    QTextStream out(stdout);
    QTextStream err(stderr);
    return execute(QGuiApplication::arguments(), QGuiApplication::applicationDirPath(), out, err);
}

int ExportCommand::execute(const QStringList &arguments, const QString &programFolder,
                           QTextStream &out, QTextStream &err)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Quenbrack, the plot table editor. With a table, opens it; with "
                       "--export or --export-dir, writes it to a picture, a PDF or an SVG "
                       "file, without a window."));
    parser.addHelpOption();
    parser.addVersionOption();
    const QCommandLineOption exportOption(
        QStringLiteral("export"),
        QStringLiteral("Write the table to <file>: .png, .jpg, .bmp, .pdf or .svg."),
        QStringLiteral("file"));
    const QCommandLineOption dirOption(
        QStringLiteral("export-dir"),
        QStringLiteral("Write each table to <folder>, named after the table."),
        QStringLiteral("folder"));
    const QCommandLineOption formatOption(
        QStringLiteral("format"),
        QStringLiteral("With --export-dir: png, jpg, bmp, pdf or svg (png by default)."),
        QStringLiteral("format"), QStringLiteral("png"));
    const QCommandLineOption scaleOption(
        QStringLiteral("scale"),
        QStringLiteral("Size in percent of the table's own (100 by default). In a PDF, 100 "
                       "prints 96 of the table's pixels to the inch."),
        QStringLiteral("percent"), QStringLiteral("100"));
    const QCommandLineOption legendOption(
        QStringLiteral("legend"),
        QStringLiteral("Number the icons and list them with their texts: beside a picture, on "
                       "pages after the plot in a PDF."));
    parser.addOptions({exportOption, dirOption, formatOption, scaleOption, legendOption});
    parser.addPositionalArgument(QStringLiteral("tables"), QStringLiteral("Plot tables (.plt)."),
                                 QStringLiteral("TABLE.plt..."));

    if (!parser.parse(arguments)) {
        err << parser.errorText() << Qt::endl;
        return Usage;
    }
    if (parser.isSet(QStringLiteral("help"))) {
        out << parser.helpText();
        return Written;
    }
    if (parser.isSet(QStringLiteral("version"))) {
        out << QGuiApplication::applicationName() << ' '
            << QGuiApplication::applicationVersion() << Qt::endl;
        return Written;
    }

    const QStringList tables = parser.positionalArguments();
    const bool toFile = parser.isSet(exportOption);
    const bool toDir = parser.isSet(dirOption);
    if (toFile == toDir) {
        err << "quenbrack: give either --export FILE or --export-dir FOLDER" << Qt::endl;
        return Usage;
    }
    if (tables.isEmpty() || (toFile && tables.size() != 1)) {
        err << (toFile ? "quenbrack: --export writes one table; name exactly one"
                       : "quenbrack: name the tables to export")
            << Qt::endl;
        return Usage;
    }
    bool ok = false;
    const qreal percent = parser.value(scaleOption).toDouble(&ok);
    if (!ok || percent < kSmallestPercent || percent > kLargestPercent) {
        err << "quenbrack: --scale takes a percentage from " << kSmallestPercent << " to "
            << kLargestPercent << ", not '" << parser.value(scaleOption) << "'" << Qt::endl;
        return Usage;
    }
    QString format;
    if (toDir) {
        format = parser.value(formatOption).toLower();
        if (format == QLatin1String("jpeg"))
            format = QStringLiteral("jpg");
        if (!TableExporter::formats().contains(format)) {
            err << "quenbrack: unknown format '" << parser.value(formatOption) << "'; use "
                << TableExporter::formats().join(QStringLiteral(", ")) << Qt::endl;
            return Usage;
        }
        if (!QFileInfo(parser.value(dirOption)).isDir()) {
            err << "quenbrack: " << QDir::toNativeSeparators(parser.value(dirOption))
                << ": no such folder" << Qt::endl;
            return Failed;
        }
    } else {
        format = TableExporter::formatOf(parser.value(exportOption));
        if (format.isEmpty()) {
            err << "quenbrack: " << QDir::toNativeSeparators(parser.value(exportOption))
                << ": unknown kind of file; the name must end in ."
                << TableExporter::formats().join(QStringLiteral(", .")) << Qt::endl;
            return Usage;
        }
    }

    const ProgramFolder folder(programFolder);
    int failures = 0;
    QSet<QString> written;
    for (const QString &table : tables) {
        ExportOptions options;
        options.format = format;
        options.scale = percent / 100.0;
        options.dpi = qRound(96.0 * 100.0 / percent);
        options.legend = parser.isSet(legendOption);
        const QString file = tableFile(table, folder);
        options.path = toFile ? parser.value(exportOption)
                              : QDir(parser.value(dirOption))
                                    .filePath(QFileInfo(file).completeBaseName() + u'.' + format);
        const QString target = QFileInfo(options.path).absoluteFilePath();
        if (written.contains(target)) {
            // Two tables of one name would make one file; the second would
            // silently replace the first.
            err << "quenbrack: " << QDir::toNativeSeparators(table) << ": not written, "
                << QDir::toNativeSeparators(options.path)
                << " is already the export of another table" << Qt::endl;
            ++failures;
            continue;
        }
        const TableContent content(file, folder);
        if (!content.isValid()) {
            err << "quenbrack: " << content.errorString() << Qt::endl;
            ++failures;
            continue;
        }
        for (const QString &warning : content.warnings())
            err << "quenbrack: warning: " << warning << Qt::endl;
        TableExporter exporter(content);
        if (!exporter.write(options)) {
            err << "quenbrack: " << exporter.errorString() << Qt::endl;
            ++failures;
            continue;
        }
        written.insert(target);
        out << QDir::toNativeSeparators(options.path) << Qt::endl;
    }
    return failures == 0 ? Written : Failed;
}
