#include "printing/print_support.h"

#include "version.h"

#include <algorithm>

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QLibrary>

namespace rk7 {

namespace {

// The module's entry points, with C linkage: the version of RK7 Power it was built with, and a
// new PrintSupport the caller owns. A module of another version is never asked for one: its
// PrintSupport may be laid out otherwise, and calling into it could crash the program.
using ModuleVersion = const char* (*)();
using NewPrintSupport = PrintSupport* (*)();
constexpr char VersionPoint[] = "rk7PrintingVersion";
constexpr char EntryPoint[] = "rk7NewPrintSupport";

} // namespace

PrintSupportLoad LoadPrintSupport(const QStringList& files) {
    const auto file = std::find_if(files.begin(), files.end(),
                                   [](const QString& name) { return QFileInfo::exists(name); });
    if (file == files.end())
        return {nullptr,
                QCoreApplication::translate("rk7::PrintSupport", "%1: no such file")
                    .arg(QDir::toNativeSeparators(files.isEmpty() ? QString() : files.back()))};
    // Never unloaded: the printers and dialogs it made run its code until the program ends.
    QLibrary library(*file);
    library.setLoadHints(QLibrary::PreventUnloadHint);
    if (!library.load())
        return {nullptr, library.errorString()};
    const QString shown = QDir::toNativeSeparators(*file);
    const auto make = reinterpret_cast<NewPrintSupport>(library.resolve(EntryPoint));
    if (!make)
        return {nullptr,
                QCoreApplication::translate("rk7::PrintSupport", "%1: not the printing module")
                    .arg(shown)};
    // Modules made before the check say no version.
    const auto version = reinterpret_cast<ModuleVersion>(library.resolve(VersionPoint));
    const QString built = version ? QString::fromUtf8(version()) : QString();
    if (built.isEmpty())
        return {nullptr, QCoreApplication::translate(
                             "rk7::PrintSupport",
                             "%1: the printing module of another version of RK7 Power, not of %2")
                             .arg(shown, QStringLiteral(RK7_VERSION))};
    if (built != QLatin1String(RK7_VERSION))
        return {nullptr,
                QCoreApplication::translate("rk7::PrintSupport",
                                            "%1: the printing module of RK7 Power %2, not of %3")
                    .arg(shown, built, QStringLiteral(RK7_VERSION))};
    return {std::unique_ptr<PrintSupport>(make()), QString()};
}

PrintSupportLoad LoadPrintSupport() {
    const QString programs = QCoreApplication::applicationDirPath();
    return LoadPrintSupport({QDir(programs).filePath(QStringLiteral(RK7_PRINTING_MODULE)),
                             QDir::cleanPath(QDir(programs).filePath(QStringLiteral(
                                 RK7_PRINTING_MODULE_DIR "/" RK7_PRINTING_MODULE)))});
}

} // namespace rk7
