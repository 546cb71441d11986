#include "views/view_snapshot.h"

#include "model/file_io.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <filesystem>
#include <lz4.h>

#include <QImage>
#include <QPainter>

namespace rk7 {

namespace {

// The first line of the file, then the key, the size, the device pixel ratio, the strips' rows
// and the strips, each number four bytes, least significant first.
constexpr char Heading[] = "rk7power view snapshot 1\n";
// Logical rows in a strip: its buffer is under a megabyte on a 1920-pixel-wide screen.
constexpr int StripRows = 128;
// Beyond any screen; keeps a damaged file's numbers from asking for absurd buffers.
constexpr int MostPixels = 16384;
constexpr int MostRatio = 8;
constexpr std::size_t MostFileBytes = 32u << 20; // a 1920x1080 frame takes about 200 KB

void AppendNumber(QByteArray& bytes, std::uint32_t n) {
    const char le[4] = {char(n & 0xff), char((n >> 8) & 0xff), char((n >> 16) & 0xff),
                        char(n >> 24)};
    bytes.append(le, 4);
}

// Reads the file's parts in turn; any read past the end leaves it failed.
class Reader {
public:
    explicit Reader(const QByteArray& bytes) : m_bytes(bytes) {}
    bool ok() const { return m_ok; }
    qsizetype at() const { return m_at; }
    bool atEnd() const { return m_at == m_bytes.size(); }

    std::uint32_t number() {
        if (!take(4))
            return 0;
        const auto* b = reinterpret_cast<const unsigned char*>(m_bytes.constData() + m_at - 4);
        return b[0] | b[1] << 8 | b[2] << 16 | std::uint32_t(b[3]) << 24;
    }
    bool take(qsizetype n) {
        m_ok = m_ok && n >= 0 && n <= m_bytes.size() - m_at;
        if (m_ok)
            m_at += n;
        return m_ok;
    }

private:
    const QByteArray& m_bytes;
    qsizetype m_at = 0;
    bool m_ok = true;
};

} // namespace

ViewSnapshot ViewSnapshot::Take(const QByteArray& key, QSize size, int devicePixelRatio,
                                const std::function<void(QPainter&)>& paint) {
    ViewSnapshot s;
    s.m_key = key;
    s.m_size = size;
    s.m_ratio = devicePixelRatio;
    s.m_stripRows = StripRows * devicePixelRatio;
    const int width = size.width() * devicePixelRatio;
    const int height = size.height() * devicePixelRatio;

    s.m_bytes = Heading;
    AppendNumber(s.m_bytes, std::uint32_t(key.size()));
    s.m_bytes += key;
    for (int n : {size.width(), size.height(), devicePixelRatio, s.m_stripRows})
        AppendNumber(s.m_bytes, std::uint32_t(n));

    QImage strip(width, s.m_stripRows, QImage::Format_RGB32);
    strip.setDevicePixelRatio(devicePixelRatio);
    QByteArray packed(LZ4_compressBound(int(strip.sizeInBytes())), Qt::Uninitialized);
    for (int top = 0; top < height; top += s.m_stripRows) {
        const int rows = std::min(s.m_stripRows, height - top);
        {
            QPainter painter(&strip);
            painter.setClipRect(QRect(0, 0, size.width(), StripRows));
            painter.translate(0, -top / devicePixelRatio);
            paint(painter);
        }
        const int length =
            LZ4_compress_default(reinterpret_cast<const char*>(strip.constBits()), packed.data(),
                                 int(strip.bytesPerLine()) * rows, int(packed.size()));
        AppendNumber(s.m_bytes, std::uint32_t(length));
        s.m_strips.emplace_back(s.m_bytes.size(), length);
        s.m_bytes.append(packed.constData(), length);
    }
    return s;
}

std::optional<ViewSnapshot> ViewSnapshot::FromBytes(QByteArray bytes) {
    ViewSnapshot s;
    Reader in(bytes);
    const qsizetype heading = qsizetype(std::strlen(Heading));
    if (!bytes.startsWith(Heading) || !in.take(heading))
        return std::nullopt;
    const std::uint32_t keyLength = in.number();
    const qsizetype keyAt = in.at();
    if (!in.take(qsizetype(keyLength)))
        return std::nullopt;
    s.m_key = bytes.mid(keyAt, keyLength);
    const std::uint32_t width = in.number(), height = in.number(), ratio = in.number(),
                        stripRows = in.number();
    // Only the strips Take makes: a damaged file never sizes the buffer that draws them.
    if (!in.ok() || width < 1 || height < 1 || ratio < 1 || ratio > MostRatio ||
        width > MostPixels / ratio || height > MostPixels / ratio || stripRows != StripRows * ratio)
        return std::nullopt;
    s.m_size = QSize(int(width), int(height));
    s.m_ratio = int(ratio);
    s.m_stripRows = int(stripRows);
    const int rows = int(height * ratio);
    const int bound = LZ4_compressBound(int(width * ratio * 4 * stripRows));
    for (int top = 0; top < rows; top += s.m_stripRows) {
        const std::uint32_t length = in.number();
        const qsizetype at = in.at();
        if (!in.take(qsizetype(length)) || length > std::uint32_t(bound))
            return std::nullopt;
        s.m_strips.emplace_back(at, int(length));
    }
    if (!in.atEnd())
        return std::nullopt;
    s.m_bytes = std::move(bytes);
    return s;
}

bool ViewSnapshot::draw(QPainter& painter) const {
    const int width = m_size.width() * m_ratio;
    const int height = m_size.height() * m_ratio;
    QImage strip(width, m_stripRows, QImage::Format_RGB32);
    if (strip.isNull())
        return false;
    for (std::size_t k = 0; k < m_strips.size(); ++k) {
        const int top = int(k) * m_stripRows;
        const int rows = std::min(m_stripRows, height - top);
        const int wanted = int(strip.bytesPerLine()) * rows;
        const auto [at, length] = m_strips[k];
        // The safe decoder never writes past the buffer, whatever the file holds.
        if (LZ4_decompress_safe(m_bytes.constData() + at, reinterpret_cast<char*>(strip.bits()),
                                length, wanted) != wanted)
            return false;
        QImage shown(strip.constBits(), width, rows, strip.bytesPerLine(), QImage::Format_RGB32);
        shown.setDevicePixelRatio(m_ratio);
        painter.drawImage(QPointF(0, qreal(top) / m_ratio), shown);
    }
    return true;
}

std::optional<ViewSnapshot> ReadViewSnapshot(const std::string& path) {
    Result<FileContents> read = ReadFile(path, MostFileBytes, FileKind::Regular);
    if (!read || read->fileSize > read->data.size())
        return std::nullopt;
    return ViewSnapshot::FromBytes(QByteArray::fromStdString(read->data));
}

Status WriteViewSnapshot(const std::string& path, const ViewSnapshot& snapshot) {
    const std::filesystem::path folder = std::filesystem::path(path).parent_path();
    if (std::error_code error;
        !folder.empty() && !std::filesystem::create_directories(folder, error) && error)
        return Status::Failure(folder.string() + ": " + error.message());
    // Lost in a crash, it is only painted again.
    return WriteFileAtomically(
        path, std::string_view(snapshot.bytes().constData(), std::size_t(snapshot.bytes().size())),
        Durability::NoFlush);
}

} // namespace rk7
