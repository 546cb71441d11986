#include "app/preferences.h"

#include <QDir>
#include <QSettings>
#include <QStandardPaths>

namespace rk7 {

namespace {
const QString AutoModeKey = QStringLiteral("Preferences/AutoMode");
}

QString PreferencesPath() {
    // Without either variable Qt would fall back to the root folder ("/.config"), which is no
    // place for a user's file.
    if (qEnvironmentVariableIsEmpty("XDG_CONFIG_HOME") && qEnvironmentVariableIsEmpty("HOME"))
        return {};
    return QDir(QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation))
        .filePath(QStringLiteral("RK7_Power.ini"));
}

bool ReadAutoMode(const QString& path) {
    const QSettings settings(path, QSettings::IniFormat);
    const QVariant value = settings.value(AutoModeKey);
    // An unquoted value with a comma comes back as a list: that is not "TRUE" either.
    if (value.typeId() != QMetaType::QString)
        return false;
    return value.toString().compare(QLatin1String("TRUE"), Qt::CaseInsensitive) == 0;
}

Status WriteAutoMode(const QString& path, bool autoMode) {
    QDir().mkpath(QFileInfo(path).absolutePath());
    QSettings settings(path, QSettings::IniFormat);
    // Strings, not a bool: QSettings would write "true".
    settings.setValue(AutoModeKey, autoMode ? QStringLiteral("TRUE") : QStringLiteral("FALSE"));
    settings.sync();
    if (settings.status() != QSettings::NoError)
        return Status::Failure((path + QStringLiteral(": cannot be written")).toStdString());
    return Status::Ok();
}

} // namespace rk7
