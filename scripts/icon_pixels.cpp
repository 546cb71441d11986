// Writes C++ source holding the pixels of PNG images, premultiplied ARGB32 as QPixmap keeps them,
// so that the program draws its tool bar buttons without decoding a file. The build runs it:
//   icon_pixels OUTPUT.cpp NAME=FILE.png...
#include <cstdio>

#include <QImage>
#include <QImageReader>
#include <QSaveFile>
#include <QString>
#include <QStringList>

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: %s OUTPUT.cpp NAME=FILE.png...\n", argv[0]);
        return 2;
    }
    QString source = QStringLiteral(
        "// Generated from resources/icons by scripts/icon_pixels.cpp; do not edit.\n"
        "#include \"widgets/tool_button_pixels.h\"\n\n"
        "namespace rk7 {\n\nnamespace {\n\n");
    QStringList entries;
    for (int i = 2; i < argc; ++i) {
        const QString argument = QString::fromLocal8Bit(argv[i]);
        const qsizetype equals = argument.indexOf(u'=');
        if (equals <= 0) {
            std::fprintf(stderr, "%s: not NAME=FILE: %s\n", argv[0], argv[i]);
            return 2;
        }
        const QString name = argument.left(equals), file = argument.mid(equals + 1);
        QImageReader reader(file, "png");
        reader.setAutoDetectImageFormat(false);
        const QImage image = reader.read().convertToFormat(QImage::Format_ARGB32_Premultiplied);
        if (image.isNull()) {
            std::fprintf(stderr, "%s: %s: %s\n", argv[0], qPrintable(file),
                         qPrintable(reader.errorString()));
            return 1;
        }
        const QString array = QStringLiteral("Pixels%1").arg(i - 2);
        source += QStringLiteral("const quint32 %1[] = {").arg(array);
        qsizetype k = 0;
        for (int y = 0; y < image.height(); ++y) {
            const auto* line = reinterpret_cast<const quint32*>(image.constScanLine(y));
            for (int x = 0; x < image.width(); ++x, ++k)
                source += (k % 8 ? QStringLiteral(" ") : QStringLiteral("\n    ")) +
                          QStringLiteral("0x%1,").arg(line[x], 8, 16, QLatin1Char('0'));
        }
        source += QStringLiteral("\n};\n\n");
        entries << QStringLiteral("    {\"%1\", %2, %3, %4},\n")
                       .arg(name)
                       .arg(image.width())
                       .arg(image.height())
                       .arg(array);
    }
    source += QStringLiteral("const ToolButtonPixels Images[] = {\n") + entries.join(QString()) +
              QStringLiteral("};\n\n} // namespace\n\n"
                             "std::span<const ToolButtonPixels> ToolButtonPixelTable() {\n"
                             "    return Images;\n}\n\n} // namespace rk7\n");
    QSaveFile out(QString::fromLocal8Bit(argv[1]));
    if (!out.open(QIODevice::WriteOnly) || out.write(source.toUtf8()) < 0 || !out.commit()) {
        std::fprintf(stderr, "%s: %s: %s\n", argv[0], argv[1], qPrintable(out.errorString()));
        return 1;
    }
    return 0;
}
