#include "painter/cell_text.h"

#include "model/text_encoding.h"

namespace rk7 {

// These follow Qt's windows-1252 codec to the letter (tests/gui/cell_text_test.cpp compares them
// character by character), with a table instead of a codec opened for every cell: the views and
// the editor forms convert hundreds of cells at a time.

QString CellToQString(std::string_view cellText) {
    if (cellText.empty())
        return QString();
    QString text(static_cast<qsizetype>(cellText.size()), Qt::Uninitialized);
    QChar* out = text.data();
    for (char byte : cellText)
        *out++ = QChar(Windows1252ToUnicode(static_cast<unsigned char>(byte)));
    return text;
}

namespace {

// Encodes text as the codec does when it is given the whole text at once: false at the first
// character it cannot take. A high surrogate at the very end waits for a partner that never
// comes: the codec leaves it out without an error.
bool EncodeWhole(const QString& text, std::string* bytes) {
    const qsizetype n = text.size();
    for (qsizetype i = 0; i < n; ++i) {
        const char16_t c = text[i].unicode();
        if (QChar::isHighSurrogate(c)) {
            if (i + 1 == n)
                break;
            return false; // a pair beyond the code page, or a broken one
        }
        const int byte = UnicodeToWindows1252(c); // a lone low surrogate has none
        if (byte < 0)
            return false;
        if (bytes)
            *bytes += static_cast<char>(byte);
    }
    return true;
}

} // namespace

std::string QStringToCell(const QString& text) {
    std::string bytes;
    bytes.reserve(static_cast<std::size_t>(text.size()));
    if (EncodeWhole(text, &bytes))
        return bytes;
    // Character by character, so that only the unrepresentable ones become '?'. A high surrogate
    // takes the unit after it along, whatever that is, and the two become one '?'.
    bytes.clear();
    const qsizetype n = text.size();
    for (qsizetype i = 0; i < n;) {
        const char16_t c = text[i].unicode();
        if (QChar::isHighSurrogate(c)) {
            if (i + 1 < n)
                bytes += '?';
            i += 2;
            continue;
        }
        const int byte = UnicodeToWindows1252(c);
        bytes += byte < 0 ? '?' : static_cast<char>(byte);
        ++i;
    }
    return bytes;
}

bool FitsCodePage(const QString& text) {
    return EncodeWhole(text, nullptr);
}

} // namespace rk7
