#include "painter/table_fonts.h"

#include "model/file_io.h"

#include <algorithm>
#include <filesystem>
#include <optional>

#include <QByteArrayList>
#include <QFontDatabase>
#include <QRawFont>

namespace rk7 {

namespace {

// A table font as the fit makes it and as a kept fit is read back: the same attributes set, so
// that the painter's own font fills in the same others.
QFont TableFont(bool bold, const QString& family, int pixelSize, int stretch) {
    QFont font(family);
    font.setStyleHint(QFont::SansSerif);
    font.setWeight(bold ? QFont::Bold : QFont::Normal);
    font.setPixelSize(pixelSize);
    if (stretch != QFont::AnyStretch)
        font.setStretch(stretch);
    return font;
}

// The table fonts: cell height 16 and an average character width of 6 (captions, bold) or 7
// (body), as the tables were laid out for. The face's own proportions are scaled to fit.
QFont FitTableFont(bool bold) {
    const QString arial = QStringLiteral("Arial");
    // The face is measured at the fitted size through a copy of its 16-pixel engine: the same
    // metrics, where a QFont of that size would have fontconfig match and configure the face
    // again. It is asked for Latin, the script the tables are drawn in, as the painting asks.
    QRawFont face =
        QRawFont::fromFont(TableFont(bold, arial, 16, QFont::AnyStretch), QFontDatabase::Latin);
    const qreal height = face.ascent() + face.descent();
    if (!(height > 0))
        return TableFont(bold, arial, 16, QFont::AnyStretch);
    const int pixelSize = std::max(8, static_cast<int>(16 * 16 / height));
    face.setPixelSize(pixelSize);
    const qreal average = face.averageCharWidth();
    const int wanted = bold ? 6 : 7;
    const int stretch = average > 0
                            ? std::clamp(static_cast<int>(100 * wanted / average + 0.5), 50, 150)
                            : int(QFont::AnyStretch);
    // Named as the face it is, a fit kept between runs finds that face at once, without asking
    // fontconfig again what stands in for Arial; the same face paints the same pixels.
    return TableFont(bold, face.familyName(), pixelSize, stretch);
}

// "14 85 Liberation Sans": pixel size, stretch, family.
QByteArray FontLine(const QFont& font) {
    return QByteArray::number(font.pixelSize()) + ' ' + QByteArray::number(font.stretch()) + ' ' +
           font.family().toUtf8();
}

std::optional<QFont> FontFromLine(bool bold, const QByteArray& line) {
    const qsizetype first = line.indexOf(' ');
    const qsizetype second = first < 0 ? -1 : line.indexOf(' ', first + 1);
    if (second < 0)
        return std::nullopt;
    bool sized = false, stretched = false;
    const int pixelSize = line.left(first).toInt(&sized);
    const int stretch = line.mid(first + 1, second - first - 1).toInt(&stretched);
    const QString family = QString::fromUtf8(line.mid(second + 1));
    if (!sized || !stretched || pixelSize < 1 || pixelSize > 1000 || stretch < 0 ||
        stretch > 4000 || family.trimmed().isEmpty())
        return std::nullopt;
    return TableFont(bold, family, pixelSize, stretch);
}

std::optional<ViewFonts>& GivenFonts() {
    static std::optional<ViewFonts> fonts;
    return fonts;
}

// The first line of the file, then the Qt version that wrote the fonts: another version may
// spell a font or fit it differently.
constexpr char Heading[] = "rk7power table fonts";

QByteArray VersionLine() {
    return QByteArray("Qt ") + qVersion();
}

} // namespace

ViewFonts FitTableFonts() {
    return {FitTableFont(true), FitTableFont(false)};
}

void UseTableFonts(const ViewFonts& fonts) {
    GivenFonts() = fonts;
}

const ViewFonts& TableFonts() {
    std::optional<ViewFonts>& fonts = GivenFonts();
    if (!fonts)
        fonts = FitTableFonts();
    return *fonts;
}

std::optional<ViewFonts> ReadTableFonts(const std::string& path) {
    const Result<FileContents> read = ReadFile(path, 4096, FileKind::Regular);
    if (!read)
        return std::nullopt;
    const QByteArrayList lines = QByteArray::fromStdString(read->data).split('\n');
    // Four lines, each ended.
    if (lines.size() != 5 || lines[0] != Heading || lines[1] != VersionLine() ||
        !lines[4].isEmpty())
        return std::nullopt;
    const std::optional<QFont> header = FontFromLine(true, lines[2]);
    const std::optional<QFont> body = FontFromLine(false, lines[3]);
    if (!header || !body)
        return std::nullopt;
    return ViewFonts{*header, *body};
}

Status WriteTableFonts(const std::string& path, const ViewFonts& fonts) {
    const std::filesystem::path folder = std::filesystem::path(path).parent_path();
    if (std::error_code error;
        !folder.empty() && !std::filesystem::create_directories(folder, error) && error)
        return Status::Failure(folder.string() + ": " + error.message());
    const QByteArray text = QByteArray(Heading) + '\n' + VersionLine() + '\n' +
                            FontLine(fonts.header) + '\n' + FontLine(fonts.body) + '\n';
    // Lost in a crash, it is only fitted again.
    return WriteFileAtomically(path, text.toStdString(), Durability::NoFlush);
}

} // namespace rk7
