#include "document/preferences.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStandardPaths>

namespace rk7 {

namespace {

const QByteArray Section = "Preferences";
const QByteArray Key = "AutoMode";
// The value is read into six bytes: at most five characters of it count.
constexpr qsizetype ValueChars = 5;

bool SameName(const QByteArray& a, const QByteArray& b) {
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

// One line of the file: its text without the line end, and where it lies.
struct Line {
    QByteArray text;
    qsizetype start = 0; // first byte of the text
    qsizetype end = 0;   // one past the text, where the line end (if any) begins
    qsizetype next = 0;  // one past the line end
};

QList<Line> SplitLines(const QByteArray& bytes) {
    QList<Line> lines;
    qsizetype at = 0;
    while (at < bytes.size()) {
        Line line;
        line.start = at;
        qsizetype newline = bytes.indexOf('\n', at);
        line.next = newline < 0 ? bytes.size() : newline + 1;
        line.end = newline < 0 ? bytes.size() : newline;
        if (line.end > at && bytes[line.end - 1] == '\r')
            --line.end;
        line.text = bytes.mid(at, line.end - at);
        lines << line;
        at = line.next;
    }
    return lines;
}

// "[name]" gives name; anything else is no section header.
bool SectionName(const QByteArray& text, QByteArray& name) {
    const QByteArray t = text.trimmed();
    if (!t.startsWith('['))
        return false;
    const qsizetype close = t.indexOf(']');
    if (close < 0)
        return false;
    name = t.mid(1, close - 1).trimmed();
    return true;
}

// "key = value" gives key and value, both trimmed; comments and other lines give false.
bool KeyValue(const QByteArray& text, QByteArray& key, QByteArray& value) {
    const QByteArray t = text.trimmed();
    if (t.isEmpty() || t.startsWith(';'))
        return false;
    const qsizetype equals = t.indexOf('=');
    if (equals <= 0)
        return false;
    key = t.left(equals).trimmed();
    value = t.mid(equals + 1).trimmed();
    return true;
}

// Where the key of the first section of that name stands, as line indices; -1 when missing.
struct Found {
    qsizetype section = -1;
    qsizetype key = -1;
    qsizetype lastOfSection = -1; // the last line of the section that holds anything
};

Found Find(const QList<Line>& lines) {
    Found found;
    bool inside = false;
    for (qsizetype i = 0; i < lines.size(); ++i) {
        QByteArray name, key, value;
        if (SectionName(lines[i].text, name)) {
            if (inside)
                break; // the first section of the name is the one that counts
            inside = SameName(name, Section);
            if (inside)
                found.section = found.lastOfSection = i;
            continue;
        }
        if (!inside)
            continue;
        if (!lines[i].text.trimmed().isEmpty())
            found.lastOfSection = i;
        if (KeyValue(lines[i].text, key, value) && SameName(key, Key)) {
            found.key = i;
            break;
        }
    }
    return found;
}

// A file of the program's in the user's cache folder.
QString CachePath(const QString& name) {
    if (qEnvironmentVariableIsEmpty("XDG_CACHE_HOME") && qEnvironmentVariableIsEmpty("HOME"))
        return {};
    return QDir(QStandardPaths::writableLocation(QStandardPaths::GenericCacheLocation))
        .filePath(QStringLiteral("rk7power/") + name);
}

} // namespace

QString PreferencesPath() {
    // Without either variable Qt would fall back to the root folder ("/.config"), which is no
    // place for a user's file.
    if (qEnvironmentVariableIsEmpty("XDG_CONFIG_HOME") && qEnvironmentVariableIsEmpty("HOME"))
        return {};
    return QDir(QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation))
        .filePath(QStringLiteral("RK7_Power.ini"));
}

QString SettingsPath() {
    if (qEnvironmentVariableIsEmpty("XDG_CONFIG_HOME") && qEnvironmentVariableIsEmpty("HOME"))
        return {};
    return QDir(QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation))
        .filePath(QStringLiteral("rk7power/settings.ini"));
}

QString TableFontsPath() {
    return CachePath(QStringLiteral("table-fonts"));
}

QString StartFramePath() {
    return CachePath(QStringLiteral("start-frame"));
}

QString UserRosterFolder() {
    // As for the preferences: Qt would otherwise make it "//.local/share/rk7power".
    if (qEnvironmentVariableIsEmpty("XDG_DATA_HOME") && qEnvironmentVariableIsEmpty("HOME"))
        return {};
    return QDir(QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation))
        .filePath(QStringLiteral("rk7power"));
}

bool ReadAutoMode(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    const QList<Line> lines = SplitLines(file.readAll());
    const Found found = Find(lines);
    if (found.key < 0)
        return false;
    QByteArray key, value;
    KeyValue(lines[found.key].text, key, value);
    // A value in quotes is read without them.
    if (value.size() >= 2 && value.front() == value.back() &&
        (value.front() == '"' || value.front() == '\''))
        value = value.mid(1, value.size() - 2);
    return SameName(value.left(ValueChars), "TRUE");
}

Status WriteAutoMode(const QString& path, bool autoMode) {
    auto failure = [&](const QString& reason) {
        return Status::Failure((path + QStringLiteral(": ") + reason).toStdString());
    };
    QByteArray bytes;
    if (QFile existing(path); existing.exists()) {
        if (!existing.open(QIODevice::ReadOnly))
            return failure(existing.errorString());
        bytes = existing.readAll();
    }
    const QList<Line> lines = SplitLines(bytes);
    // New lines end as the file's first line does; a new file gets CR LF, as our text files do.
    QByteArray eol = "\r\n";
    if (!lines.isEmpty() && lines.front().next > lines.front().end)
        eol = bytes.mid(lines.front().end, lines.front().next - lines.front().end);
    const QByteArray value = autoMode ? "TRUE" : "FALSE";

    const Found found = Find(lines);
    if (found.key >= 0) {
        // Only the value changes; the key keeps its spelling and the line its end.
        const Line& line = lines[found.key];
        qsizetype from = bytes.indexOf('=', line.start) + 1;
        while (from < line.end && (bytes[from] == ' ' || bytes[from] == '\t'))
            ++from;
        bytes.replace(from, line.end - from, value);
    } else if (found.section >= 0) {
        const Line& after = lines[found.lastOfSection];
        QByteArray insert = Key + '=' + value + eol;
        if (after.next == after.end) // the last line of the file, without a line end
            insert.prepend(eol);
        bytes.insert(after.next, insert);
    } else {
        if (!bytes.isEmpty() && !bytes.endsWith('\n'))
            bytes += eol;
        bytes += '[' + Section + ']' + eol + Key + '=' + value + eol;
    }

    if (!QDir().mkpath(QFileInfo(path).absolutePath()))
        return failure(QStringLiteral("its folder cannot be made"));
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return failure(file.errorString());
    file.write(bytes);
    if (!file.commit())
        return failure(file.errorString());
    return Status::Ok();
}

} // namespace rk7
