// rk7power-render: paints a view of the roster in a folder, a table or the chart, to a one-page
// PDF (printing colours) or a PNG (screen colours), with the painters of the program's client
// window. It needs no display and links Qt Gui only, never Widgets.

#include "license_notice.h"
#include "model/exit_status.h"
#include "model/file_io.h"
#include "model/folder_transaction.h"
#include "model/program_state.h"
#include "model/roster.h"
#include "model/roster_folder.h"
#include "model/store.h"
#include "painter/table_painter.h"
#include "version.h"

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <optional>
#include <string>
#include <sys/stat.h>
#include <variant>
#include <vector>

#include <QBuffer>
#include <QByteArray>
#include <QCommandLineParser>
#include <QGuiApplication>
#include <QImage>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QRegularExpression>

namespace rk7 {

namespace {

const char* const ProgramName = "rk7power-render";
constexpr int MaxImageSide = 8192;
constexpr QRgb LightGray = 0xffc0c0c0;

struct Request {
    QString dir = QStringLiteral(".");
    ViewFlags view;   // View All
    bool pdf = false; // otherwise a PNG
    QString output;
    QSize size{1024, 768};
};

// What to do instead of rendering: print text and exit with a status.
struct Finish {
    int status;
    QString text; // to stdout on success, to stderr otherwise
};

using Parsed = std::variant<Request, Finish>;

Finish Usage(const QString& problem) {
    return {ExitUsage, QStringLiteral("%1: %2\nTry '%1 --help'.").arg(ProgramName, problem)};
}

std::optional<ViewFlags> ViewNamed(const QString& name) {
    if (name == QLatin1String("all"))
        return ViewFlags{true, false, false, false};
    if (name == QLatin1String("teams"))
        return ViewFlags{false, true, false, false};
    if (name == QLatin1String("drivers"))
        return ViewFlags{false, false, true, false};
    if (name == QLatin1String("chart"))
        return ViewFlags{false, false, false, true};
    return std::nullopt;
}

std::optional<QSize> SizeNamed(const QString& text) {
    static const QRegularExpression pattern(QStringLiteral("^([0-9]{1,5})x([0-9]{1,5})$"));
    const QRegularExpressionMatch match = pattern.match(text);
    if (!match.hasMatch())
        return std::nullopt;
    const int w = match.captured(1).toInt(), h = match.captured(2).toInt();
    if (w < 1 || h < 1 || w > MaxImageSide || h > MaxImageSide)
        return std::nullopt;
    return QSize(w, h);
}

// The command line's options, and the parser that knows them and writes the help.
struct Options {
    const QCommandLineOption help{QStringList{QStringLiteral("h"), QStringLiteral("help")},
                                  QStringLiteral("Show this help and exit.")};
    const QCommandLineOption version{QStringLiteral("version"),
                                     QStringLiteral("Show the version and exit.")};
    const QCommandLineOption dir{
        QStringLiteral("dir"),
        QStringLiteral("Roster folder: the folder of the store files (default: the current "
                       "folder)."),
        QStringLiteral("DIR")};
    const QCommandLineOption view{
        QStringLiteral("view"), QStringLiteral("The view: all (default), teams, drivers or chart."),
        QStringLiteral("all|teams|drivers|chart")};
    const QCommandLineOption pdf{QStringLiteral("pdf"),
                                 QStringLiteral("Write one A4 landscape page as PDF to FILE."),
                                 QStringLiteral("FILE")};
    const QCommandLineOption png{QStringLiteral("png"),
                                 QStringLiteral("Write a PNG image to FILE."),
                                 QStringLiteral("FILE")};
    const QCommandLineOption size{
        QStringLiteral("size"),
        QStringLiteral("Size of the PNG image in pixels (default 1024x768)."),
        QStringLiteral("WxH")};
    QCommandLineParser parser;

    Options() {
        const std::string statuses =
            DescribeExitStatuses({{ExitSuccess, "done"},
                                  {ExitUsage, "wrong arguments"},
                                  {ExitFileError, "a file could not be read or written."}},
                                 ", ");
        parser.setApplicationDescription(
            QStringLiteral(
                "Paints a view of the RK7 Power roster to a one-page PDF in printing colours or "
                "to a PNG\nin screen colours. The roster is the built-in one with the store files "
                "of the folder\n(Teams.rk, Drivers.rk, EPowers.rk, RanFail.rk) read over it.\n\n"
                "Exit status: ") +
            QString::fromStdString(statuses));
        parser.addOptions({help, version, dir, view, pdf, png, size});
    }
};

// What a command line that parsed asks for, or what is wrong with it.
Parsed RequestOf(const Options& o) {
    const QCommandLineParser& parser = o.parser;
    Request request;
    if (parser.isSet(o.pdf) == parser.isSet(o.png))
        return Usage(QStringLiteral("give exactly one of --pdf FILE and --png FILE."));
    request.pdf = parser.isSet(o.pdf);
    request.output = parser.value(request.pdf ? o.pdf : o.png);
    if (request.output.isEmpty())
        return Usage(QStringLiteral("the output file name is empty."));
    if (parser.isSet(o.dir)) {
        request.dir = parser.value(o.dir);
        if (request.dir.isEmpty())
            return Usage(QStringLiteral("the folder name is empty."));
    }
    if (parser.isSet(o.view)) {
        const std::optional<ViewFlags> chosen = ViewNamed(parser.value(o.view));
        if (!chosen)
            return Usage(QStringLiteral("unknown view '%1'; use all, teams, drivers or chart.")
                             .arg(parser.value(o.view)));
        request.view = *chosen;
    }
    if (parser.isSet(o.size)) {
        if (request.pdf)
            return Usage(QStringLiteral("--size applies to --png only; the PDF is one A4 page."));
        const std::optional<QSize> chosen = SizeNamed(parser.value(o.size));
        if (!chosen)
            return Usage(QStringLiteral("size '%1' is not WxH with W and H from 1 to %2.")
                             .arg(parser.value(o.size))
                             .arg(MaxImageSide));
        request.size = *chosen;
    }
    return request;
}

Parsed Parse(const QStringList& arguments) {
    Options o;
    QCommandLineParser& parser = o.parser;
    if (!parser.parse(arguments))
        return Usage(parser.errorText());
    if (parser.isSet(o.help)) {
        QString text = parser.helpText();
        text.replace(QStringLiteral("[options]"),
                     QStringLiteral("[--dir DIR] [--view all|teams|drivers|chart] (--pdf FILE | "
                                    "--png FILE) [--size WxH]"));
        return Finish{ExitSuccess, text.trimmed()};
    }
    if (parser.isSet(o.version))
        return Finish{ExitSuccess,
                      QStringLiteral("%1 %2\n" RK7_LICENSE_NOTICE).arg(ProgramName, RK7_VERSION)};
    if (!parser.positionalArguments().isEmpty())
        return Usage(
            QStringLiteral("unexpected argument '%1'.").arg(parser.positionalArguments().first()));
    // An option given twice would silently drop one of its values.
    for (const QCommandLineOption* option : {&o.dir, &o.view, &o.pdf, &o.png, &o.size})
        if (parser.values(*option).size() > 1)
            return Usage(QStringLiteral("--%1 is given more than once.").arg(option->names()[0]));
    return RequestOf(o);
}

// The roster of the folder: the built-in one with the folder's store files read over it. The
// renderer only looks: a save that another program left cut short is read as done, but neither
// completed nor cleared away, and the warning says so.
Status LoadRoster(const QString& dir, Roster& roster) {
    const std::string path = dir.toStdString();
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0)
        return Status::Failure(SystemError(path, errno));
    if (!S_ISDIR(info.st_mode))
        return Status::Failure(SystemError(path, ENOTDIR));
    // Read as the command-line tool reads for its commands that only look: a save cut short is
    // read as done and left for the next save.
    const RosterLook look = DescribeLoad(path, PeekStore(roster, path));
    for (const std::string& warning : look.warnings)
        std::fprintf(stderr, "%s: warning: %s\n", ProgramName, warning.c_str());
    std::string errors;
    for (const std::string& error : look.errors)
        errors += (errors.empty() ? "" : "\n") + error;
    return errors.empty() ? Status::Ok() : Status::Failure(errors);
}

// The view on one A4 landscape page. The page's printable size, taken as screen pixels at 96 dpi,
// is the client area the view is painted into, stretched over the printable page: fonts and
// column widths keep the size they have on the screen, and the last column reaches the right
// edge.
QByteArray RenderPdf(const Roster& roster, const ViewFlags& view) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    {
        QPdfWriter writer(&buffer);
        writer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Landscape,
                                         QMarginsF(10, 10, 10, 10), QPageLayout::Millimeter));
        writer.setTitle(QStringLiteral("RK7 Power V" RK7_VERSION));
        writer.setCreator(QStringLiteral("rk7power-render " RK7_VERSION));
        QPainter painter;
        if (!painter.begin(&writer))
            return {};
        const QRectF points = writer.pageLayout().paintRect(QPageLayout::Point);
        const QRect client(0, 0, qRound(points.width() * 96 / 72),
                           qRound(points.height() * 96 / 72));
        painter.setWindow(client);
        painter.setViewport(0, 0, writer.width(), writer.height());
        PaintViews(painter, client, roster, view, true);
        painter.end();
    }
    return bytes;
}

// The view as the client window shows it: light grey where the table does not reach.
QByteArray RenderPng(const Roster& roster, const ViewFlags& view, QSize size) {
    QImage image(size, QImage::Format_RGB32);
    if (image.isNull())
        return {};
    image.fill(QColor(LightGray));
    {
        QPainter painter(&image);
        PaintViews(painter, image.rect(), roster, view, false);
    }
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    if (!image.save(&buffer, "PNG"))
        return {};
    return bytes;
}

int Fail(int status, const std::string& message) {
    std::fprintf(stderr, "%s: %s\n", ProgramName, message.c_str());
    return status;
}

int Run(const Request& request) {
    const std::string output = request.output.toStdString();
    // However it is named: through a link, relative, or as the journal of a save.
    if (IsRosterFolderFile(ResolveRosterFolder(request.dir.toStdString()), output))
        return Fail(ExitFileError, output + ": this is one of the roster folder's own files (a "
                                            "store file or the journal of a save), which is never "
                                            "written over; nothing was written");
    Roster roster;
    if (const Status loaded = LoadRoster(request.dir, roster); !loaded)
        return Fail(ExitFileError, loaded.Error());
    const QByteArray bytes = request.pdf ? RenderPdf(roster, request.view)
                                         : RenderPng(roster, request.view, request.size);
    if (bytes.isEmpty())
        return Fail(ExitFileError, output + ": the image could not be made");
    if (const Status written = WriteFileAtomically(
            output, std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())));
        !written)
        return Fail(ExitFileError, written.Error());
    return ExitSuccess;
}

} // namespace

} // namespace rk7

int main(int argc, char* argv[]) {
    // A file-size limit then makes the write fail with an error to report (and the temporary file
    // removed), rather than killing the program half-way with no word said.
    std::signal(SIGXFSZ, SIG_IGN);
    // Never a display: the offscreen platform whatever the environment names, and Qt is not shown
    // the command line, whose -platform or -display it would obey. The arguments are this
    // program's alone.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments.append(QString::fromLocal8Bit(argv[i]));
    int qtArgc = 1;
    QGuiApplication application(qtArgc, argv);
    QGuiApplication::setApplicationName(QString::fromLatin1(rk7::ProgramName));
    QGuiApplication::setApplicationVersion(QStringLiteral(RK7_VERSION));

    const rk7::Parsed parsed = rk7::Parse(arguments);
    if (const auto* finish = std::get_if<rk7::Finish>(&parsed)) {
        const bool success = finish->status == rk7::ExitSuccess;
        std::FILE* stream = success ? stdout : stderr;
        std::fprintf(stream, "%s\n", finish->text.toLocal8Bit().constData());
        // The help or the version that did not arrive (a full disk, a closed pipe) is a failed
        // write like any other.
        if (success && (std::fflush(stdout) != 0 || std::ferror(stdout)))
            return rk7::Fail(rk7::ExitFileError,
                             std::string("standard output: ") + std::strerror(errno));
        return finish->status;
    }
    return rk7::Run(std::get<rk7::Request>(parsed));
}
