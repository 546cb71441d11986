#include "views/cell_text.h"

#include <QStringDecoder>
#include <QStringEncoder>

namespace rk7 {

namespace {
constexpr const char* CodePage = "windows-1252";
}

QString CellToQString(std::string_view cellText) {
    QStringDecoder decode(CodePage);
    return decode(QByteArrayView(cellText.data(), static_cast<qsizetype>(cellText.size())));
}

std::string QStringToCell(const QString& text) {
    QStringEncoder encode(CodePage);
    QByteArray bytes = encode(text);
    if (encode.hasError()) {
        // Encode character by character so that only the unrepresentable ones become '?'.
        bytes.clear();
        for (qsizetype i = 0; i < text.size();) {
            const qsizetype n = text[i].isHighSurrogate() && i + 1 < text.size() ? 2 : 1;
            QStringEncoder one(CodePage);
            const QByteArray b = one(text.mid(i, n));
            bytes += one.hasError() ? QByteArray("?") : b;
            i += n;
        }
    }
    return bytes.toStdString();
}

bool FitsCodePage(const QString& text) {
    QStringEncoder encode(CodePage);
    const QByteArray bytes = encode(text); // the encoder works only when its result is taken
    return !encode.hasError();
}

} // namespace rk7
