// What the desktop reads of the program: the MIME type that makes the file manager offer RK7
// Power for a Performance File, and the desktop entry that names it.
#include "exchange/performance_file.h"
#include "model/roster.h"

#include <QDir>
#include <QFile>
#include <QMimeDatabase>
#include <QTemporaryDir>
#include <QTest>

namespace rk7 {

class DesktopFilesTest : public QObject {
    Q_OBJECT

    QTemporaryDir m_data;

    QString Write(const QString& name, const QByteArray& bytes) {
        const QString path = m_data.filePath(name);
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
            return {};
        return path;
    }

private slots:
    void initTestCase() {
        // The program's MIME package as the package installs it, alone on the data path.
        QVERIFY(QDir(m_data.path()).mkpath(QStringLiteral("mime/packages")));
        QVERIFY(QFile::copy(QStringLiteral(RK7_SOURCE_DIR "/resources/rk7power-mime.xml"),
                            m_data.filePath(QStringLiteral("mime/packages/rk7power.xml"))));
        qputenv("XDG_DATA_DIRS", QFile::encodeName(m_data.path()));
        qputenv("XDG_DATA_HOME", QFile::encodeName(m_data.filePath(QStringLiteral("home"))));
    }

    // Either dialect is known by its first line, with or without a byte-order mark and whatever
    // the file is called; other text is not.
    void performanceFilesAreKnownByTheirFirstLine() {
        const QByteArray native =
            QByteArray::fromStdString(FormatPerformanceFile(Roster(), Dialect::Native));
        const QByteArray exchange =
            QByteArray::fromStdString(FormatPerformanceFile(Roster(), Dialect::Exchange));
        const QString type = QStringLiteral("application/x-rk7-performance");
        QMimeDatabase db;
        QCOMPARE(db.mimeTypeForFile(Write("season.txt", native)).name(), type);
        QCOMPARE(db.mimeTypeForFile(Write("rk7edit.txt", exchange)).name(), type);
        QCOMPARE(db.mimeTypeForFile(Write("noname", native)).name(), type);
        QCOMPARE(db.mimeTypeForFile(Write("marked.txt", "\xef\xbb\xbf" + native)).name(), type);
        QVERIFY(db.mimeTypeForFile(Write("notes.txt", "** Rk7 notes\r\n")).name() != type);
        QVERIFY(db.mimeTypeForName(type).inherits(QStringLiteral("text/plain")));
    }

    // The desktop entry offers the program for that type and hands it the file.
    void desktopEntryNamesTheType() {
        QFile entry(QStringLiteral(RK7_SOURCE_DIR "/resources/rk7power.desktop"));
        QVERIFY(entry.open(QIODevice::ReadOnly));
        const QByteArray text = entry.readAll();
        QVERIFY(text.contains("\nMimeType=application/x-rk7-performance;\n"));
        QVERIFY(text.contains("\nExec=rk7power --user-folder %f\n"));
    }
};

} // namespace rk7

QTEST_GUILESS_MAIN(rk7::DesktopFilesTest)
#include "desktop_files_test.moc"
