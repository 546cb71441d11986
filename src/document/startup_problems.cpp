#include "document/startup_problems.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>

namespace rk7 {

QStringList RosterFolderProblems(const QString& folder, const LoadStoreReport& report) {
    QStringList problems;
    if (!QFileInfo(folder).isDir())
        problems << QCoreApplication::translate("rk7::StartupProblems",
                                                "The roster folder %1 does not exist, so the "
                                                "built-in roster is shown. You will be asked to "
                                                "create the folder when you first save.")
                        .arg(folder);
    if (!report.folder)
        problems << QString::fromStdString(report.folder.Error());
    for (const StoreLoad& load : report.files)
        if (!load.status)
            problems << QString::fromStdString(load.status.Error()) +
                            QCoreApplication::translate("rk7::StartupProblems",
                                                        "\nThe built-in values are used instead.");
    const auto sizes =
        StoreSizeWarnings(RosterFolderFrom(QFile::encodeName(folder).toStdString()), report);
    if (!sizes.empty()) {
        QString text = QCoreApplication::translate(
            "rk7::StartupProblems",
            "These store files are damaged or are not store files; they were read as far as they "
            "go. Saving writes them whole again from what is shown.");
        for (const std::string& size : sizes)
            text += QStringLiteral("\n- ") + QString::fromStdString(size);
        problems << text;
    }
    return problems;
}

QStringList StartupProblems(const QString& folder, const QString& preferencesPath,
                            const LoadStoreReport& report) {
    QStringList problems = RosterFolderProblems(folder, report);
    if (preferencesPath.isEmpty())
        problems << QCoreApplication::translate("rk7::StartupProblems",
                                                "Neither HOME nor XDG_CONFIG_HOME is set, so the "
                                                "edit mode is kept only until the program ends.");
    return problems;
}

} // namespace rk7
