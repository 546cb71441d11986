#pragma once

#include "model/status.h"

#include <functional>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include <QByteArray>
#include <QSize>

class QPainter;

namespace rk7 {

// A view's pixels kept between runs, with a key naming what they were painted from. A start
// whose first frame has the same key draws them instead of painting: painting the tables first
// loads the table fonts' engines, shapes every text and draws every glyph, most of the work
// before the first frame. The rows are kept in strips, each compressed on its own (LZ4), and are
// drawn one strip at a time through one buffer, so drawing them costs little memory.
class ViewSnapshot {
public:
    // Paints size (logical pixels) at a whole device pixel ratio, strip by strip: paint draws
    // the whole view, in logical coordinates, on the painter it is given, which is moved to the
    // strip and clipped to it.
    static ViewSnapshot Take(const QByteArray& key, QSize size, int devicePixelRatio,
                             const std::function<void(QPainter&)>& paint);
    // The snapshot that bytes hold, or nothing when they hold no whole one.
    static std::optional<ViewSnapshot> FromBytes(QByteArray bytes);

    const QByteArray& key() const { return m_key; }
    QSize size() const { return m_size; }
    int devicePixelRatio() const { return m_ratio; }
    // The whole snapshot, as kept in a file: two snapshots of the same pixels and key are equal.
    const QByteArray& bytes() const { return m_bytes; }

    // Draws the pixels with their top left at the painter's origin. False when a strip does not
    // decompress to its rows; the strips before it may have been drawn by then.
    bool draw(QPainter& painter) const;

private:
    QByteArray m_bytes;
    QByteArray m_key;
    QSize m_size;
    int m_ratio = 1;
    int m_stripRows = 0;                             // device pixel rows in each but the last
    std::vector<std::pair<qsizetype, int>> m_strips; // where each starts in m_bytes, its length
};

// The snapshot kept at path, or nothing for a missing file or one that holds no whole snapshot.
std::optional<ViewSnapshot> ReadViewSnapshot(const std::string& path);
// Keeps the snapshot at path (replaced whole or not at all), making its folder when missing.
[[nodiscard]] Status WriteViewSnapshot(const std::string& path, const ViewSnapshot& snapshot);

} // namespace rk7
