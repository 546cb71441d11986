#include "printing/print_support.h"

#include <algorithm>

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QLibrary>

namespace rk7 {

namespace {

// The module's one entry point, with C linkage: a new PrintSupport the caller owns.
using NewPrintSupport = PrintSupport* (*)();
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
    const auto make = reinterpret_cast<NewPrintSupport>(library.resolve(EntryPoint));
    if (!make)
        return {nullptr,
                QCoreApplication::translate("rk7::PrintSupport", "%1: not the printing module")
                    .arg(QDir::toNativeSeparators(*file))};
    return {std::unique_ptr<PrintSupport>(make()), QString()};
}

PrintSupportLoad LoadPrintSupport() {
    const QString programs = QCoreApplication::applicationDirPath();
    return LoadPrintSupport({QDir(programs).filePath(QStringLiteral(RK7_PRINTING_MODULE)),
                             QDir::cleanPath(QDir(programs).filePath(QStringLiteral(
                                 RK7_PRINTING_MODULE_DIR "/" RK7_PRINTING_MODULE)))});
}

} // namespace rk7
