#include "painter/cell_text.h"

#include <string>

#include <QStringDecoder>
#include <QStringEncoder>
#include <QTest>

namespace rk7 {

// The cell text conversions against Qt's own windows-1252 codec, character by character: every
// byte, and every UTF-16 code unit and surrogate pair.
class CellTextTest : public QObject {
    Q_OBJECT

    static bool HaveCodec() { return QStringDecoder("windows-1252").isValid(); }

    static QString CodecDecode(std::string_view bytes) {
        QStringDecoder decode("windows-1252");
        return decode(QByteArrayView(bytes.data(), static_cast<qsizetype>(bytes.size())));
    }
    // The whole text when the codec takes all of it; otherwise "?" for each character it
    // refuses, a high surrogate taking the unit after it along.
    static std::string CodecEncode(const QString& text) {
        QStringEncoder encode("windows-1252");
        QByteArray bytes = encode(text);
        if (encode.hasError()) {
            bytes.clear();
            for (qsizetype i = 0; i < text.size();) {
                const qsizetype n = text[i].isHighSurrogate() && i + 1 < text.size() ? 2 : 1;
                QStringEncoder one("windows-1252");
                const QByteArray b = one(text.mid(i, n));
                bytes += one.hasError() ? QByteArray("?") : b;
                i += n;
            }
        }
        return bytes.toStdString();
    }
    static bool CodecFits(const QString& text) {
        QStringEncoder encode("windows-1252");
        const QByteArray bytes = encode(text);
        return !encode.hasError();
    }

private slots:
    void everyByteDecodesAsTheCodecDecodesIt() {
        if (!HaveCodec())
            QSKIP("Qt has no windows-1252 codec here");
        std::string all;
        for (int b = 0; b < 256; ++b) {
            const std::string one(1, static_cast<char>(b));
            QCOMPARE(CellToQString(one), CodecDecode(one));
            all += one;
        }
        QCOMPARE(CellToQString(all), CodecDecode(all));
        QCOMPARE(CellToQString(""), QString());
    }

    void everyUnitEncodesAsTheCodecEncodesIt() {
        if (!HaveCodec())
            QSKIP("Qt has no windows-1252 codec here");
        for (int u = 0; u < 0x10000; ++u) {
            const QString one(QChar(static_cast<char16_t>(u)));
            QCOMPARE(FitsCodePage(one), CodecFits(one));
            QCOMPARE(QStringToCell(one), CodecEncode(one));
            const QString framed = QStringLiteral("a") + one + QStringLiteral("b");
            QCOMPARE(FitsCodePage(framed), CodecFits(framed));
            QCOMPARE(QStringToCell(framed), CodecEncode(framed));
        }
    }

    void surrogatesEncodeAsTheCodecEncodesThem() {
        if (!HaveCodec())
            QSKIP("Qt has no windows-1252 codec here");
        const QString pair = QString::fromUcs4(U"\U0001F600");
        const QChar high = pair[0], low = pair[1];
        const QString cases[] = {
            pair,
            QStringLiteral("x") + pair + QStringLiteral("y"),
            QString(high),
            QString(low),
            QString(high) + QStringLiteral("a"),
            QStringLiteral("a") + QString(high),
            QString(low) + QString(high),
            QString(high) + QString(high) + QString(low),
            QString(high) + QStringLiteral("\u00e9z"),
            QStringLiteral("\u20ac") + QString(low) + QStringLiteral("\u0100"),
            QString(),
            QStringLiteral("R\u00e4ikk\u00f6nen \u2013 \u201cK\u201d"),
        };
        for (const QString& text : cases) {
            QCOMPARE(FitsCodePage(text), CodecFits(text));
            QCOMPARE(QStringToCell(text), CodecEncode(text));
        }
    }

    void roundTripsEveryByte() {
        std::string all;
        for (int b = 1; b < 256; ++b)
            all += static_cast<char>(b);
        QCOMPARE(QStringToCell(CellToQString(all)), all);
        QVERIFY(FitsCodePage(CellToQString(all)));
    }
};

} // namespace rk7

QTEST_MAIN(rk7::CellTextTest)
#include "cell_text_test.moc"
