#include "painter/table_painter.h"

#include "painter/cell_text.h"
#include "painter/chart_painter.h"
#include "painter/view_texts.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include <QCoreApplication>
#include <QFont>
#include <QFontMetrics>
#include <QGlyphRun>
#include <QHash>
#include <QPaintEngine>
#include <QPainter>
#include <QPen>
#include <QTextLayout>

namespace rk7 {

namespace {

using namespace viewcolors;
using namespace viewgeometry;

// Whether the painter draws on a raster device with nothing that scales or blends the drawing: an
// integral translation at most, full opacity, no right-to-left layout (Windows-1252 has no
// right-to-left letters, so automatic direction is left to right).
bool PixelExact(const QPainter& p) {
    const QPaintEngine* engine = p.paintEngine();
    if (!engine || engine->type() != QPaintEngine::Raster)
        return false;
    if (p.opacity() != 1.0 || p.compositionMode() != QPainter::CompositionMode_SourceOver ||
        p.layoutDirection() == Qt::RightToLeft)
        return false;
    const QTransform t = p.deviceTransform();
    return t.type() <= QTransform::TxTranslate && t.dx() == std::trunc(t.dx()) &&
           t.dy() == std::trunc(t.dy());
}

// Draws the outlines of the cells. A horizontal or vertical line one pixel wide covers the same
// pixels as the rectangle of those pixels, and filling the rectangle is many times faster than
// stroking the line; so where nothing scales or blends the drawing (a raster device, an integral
// translation at most, full opacity) the lines are filled, and elsewhere (printing, the preview)
// they are drawn with the pen.
class Outliner {
public:
    explicit Outliner(QPainter& p) : m_p(p), m_fill(PixelExact(p)) {}

    void SetColor(QRgb color) {
        m_color = QColor(color);
        if (!m_fill)
            m_p.setPen(m_color);
    }

    // A horizontal or vertical line from a to b without its end point, as the tables were drawn.
    void LineTo(QPoint a, QPoint b) {
        const QPoint step((b.x() > a.x()) - (b.x() < a.x()), (b.y() > a.y()) - (b.y() < a.y()));
        if (step.isNull())
            return;
        const QPoint last = b - step;
        if (m_fill && (step.x() == 0 || step.y() == 0) && last != a) {
            m_p.fillRect(QRect(QPoint(std::min(a.x(), last.x()), std::min(a.y(), last.y())),
                               QPoint(std::max(a.x(), last.x()), std::max(a.y(), last.y()))),
                         m_color);
            return;
        }
        if (m_fill)
            m_p.setPen(m_color);
        m_p.drawLine(a, last);
    }

private:
    QPainter& m_p;
    const bool m_fill;
    QColor m_color;
};

void RaisedCell(QPainter& p, int x0, int y0, int x1, int y1, bool printing) {
    Outliner line(p);
    line.SetColor(Black);
    line.LineTo({x0, y0}, {x1, y0});
    line.LineTo({x1, y0}, {x1, y1});
    line.LineTo({x1, y1}, {x0, y1});
    line.LineTo({x0, y1}, {x0, y0});
    if (x1 - x0 > 2 && y1 - y0 > 2)
        p.fillRect(QRect(QPoint(x0 + 1, y0 + 1), QPoint(x1 - 2, y1 - 2)),
                   QColor(printing ? White : LightGray));
    line.SetColor(DarkGray);
    line.LineTo({x0 + 1, y1 - 1}, {x1 - 1, y1 - 1});
    line.LineTo({x1 - 1, y1 - 1}, {x1 - 1, y0 + 1});
    line.SetColor(White);
    line.LineTo({x0 + 1, y1 - 2}, {x0 + 1, y0 + 1});
    line.LineTo({x0 + 1, y0 + 1}, {x1 - 1, y0 + 1});
}

// The views' texts as laid out once: the glyphs and their places, and the advance. A view draws
// the same few hundred texts at every paint, and shaping them anew was most of the work of
// drawText. Drawn from its glyph runs, a text puts the same glyphs on the same pixels as drawText
// would, where the painter only translates by whole pixels on a raster device (the table's
// outlines take the same path); elsewhere drawText does the work.
struct LaidText {
    QList<QGlyphRun> runs;
    qreal ascent = 0; // of the laid-out line, whose baseline the runs' places are relative to
    int advance = 0;  // what QFontMetrics::horizontalAdvance gives, from the same shaping
};

class TextLayouts {
public:
    // The layouts of texts in the painter's font on its device.
    static TextLayouts& For(const QPainter& p) {
        std::vector<TextLayouts>& all = All();
        const QFont& font = p.font();
        const QPaintDevice* device = p.device();
        const int dpiX = device->logicalDpiX(), dpiY = device->logicalDpiY();
        for (TextLayouts& layouts : all)
            if (layouts.m_dpiX == dpiX && layouts.m_dpiY == dpiY && layouts.m_font == font)
                return layouts;
        if (all.empty() && !s_cleanupAdded) {
            // Glyph runs hold font engines, which must go before the application's fonts do.
            qAddPostRoutine(&Clear);
            s_cleanupAdded = true;
        }
        return all.emplace_back(font, dpiX, dpiY);
    }

    // Texts with characters that drawText treats apart (controls, tabs, line breaks) are not
    // laid out here.
    static bool Plain(const QString& text) {
        for (QChar c : text) {
            const char16_t u = c.unicode();
            if (u < 0x20 || (u >= 0x7F && u < 0xA0) || c.isSurrogate())
                return false;
        }
        return true;
    }

    const LaidText& Get(const QString& text, const QFontMetrics& metrics) {
        if (const auto it = m_texts.constFind(text); it != m_texts.cend())
            return *it;
        if (m_texts.size() >= MaxTexts)
            m_texts.clear(); // a roster has a few hundred texts; more means old ones
        LaidText laid;
        QTextLayout layout(text, m_font);
        QTextOption option;
        option.setTextDirection(Qt::LeftToRight);
        option.setWrapMode(QTextOption::NoWrap);
        layout.setTextOption(option);
        layout.beginLayout();
        const QTextLine line = layout.createLine();
        layout.endLayout();
        laid.runs = layout.glyphRuns();
        // The line's advance is the sum of the advances the layout shaped, as horizontalAdvance's
        // is; taking it from here shapes each text once instead of twice.
        laid.ascent = line.isValid() ? line.ascent() : 0;
        laid.advance =
            line.isValid() ? qRound(line.horizontalAdvance()) : metrics.horizontalAdvance(text);
        return *m_texts.insert(text, std::move(laid));
    }

    TextLayouts(const QFont& font, int dpiX, int dpiY) : m_font(font), m_dpiX(dpiX), m_dpiY(dpiY) {}

private:
    static constexpr qsizetype MaxTexts = 4096;

    static std::vector<TextLayouts>& All() {
        // Never destroyed at exit: the post routine empties it while the fonts still exist.
        static auto* all = new std::vector<TextLayouts>;
        return *all;
    }
    static void Clear() {
        All().clear();
        s_cleanupAdded = false;
    }

    static inline bool s_cleanupAdded = false;
    QFont m_font;
    int m_dpiX, m_dpiY;
    QHash<QString, LaidText> m_texts;
};

// Text whose top-left (or, right-aligned, top-right) corner is at (x, y); never clipped.
void TextAt(QPainter& p, const QFontMetrics& metrics, TextLayouts* layouts, int x, int y,
            const QString& text, bool alignRight) {
    if (layouts && TextLayouts::Plain(text)) {
        const LaidText& laid = layouts->Get(text, metrics);
        if (alignRight)
            x -= laid.advance;
        const QPointF origin(x, y + metrics.ascent() - laid.ascent);
        for (const QGlyphRun& run : laid.runs)
            p.drawGlyphRun(origin, run);
        return;
    }
    if (alignRight)
        x -= metrics.horizontalAdvance(text);
    p.drawText(QPoint(x, y + metrics.ascent()), text);
}

// A body cell of column k: inside the outline and bevel of its column, one row pitch high from
// just above its text, and never below the column's face.
QRect CellBox(const QRect& client, const ViewSchema& table, int k, int row) {
    const int L = client.left(), T = client.top();
    const int R = client.left() + client.width(), B = client.top() + client.height();
    const int n = static_cast<int>(table.columns.size());
    const int faceTop = T + HeaderHeight + 2, faceBottom = B - 3;
    const int x0 = L + table.columns[k].left + 2;
    const int x1 = (k + 1 < n ? L + table.columns[k + 1].left : R - 1) - 2;
    const int y = T + TextTop + RowPitch * row - 1;
    const QRect box(QPoint(x0, std::max(y, faceTop)),
                    QPoint(x1, std::min(y + RowPitch - 1, faceBottom)));
    return box.isValid() ? box : QRect();
}

// The faces of the highlighted cells of the body. Drawn before any text, so that no face covers
// the descenders of the row above.
void PaintHighlight(QPainter& p, const QRect& client, const ViewSchema& table,
                    const CellSet& highlight) {
    const int n = static_cast<int>(table.columns.size());
    const QColor face(Highlight);
    for (int k = 0; k < n; ++k) {
        const ViewColumn& column = table.columns[k];
        if (column.Filler() || !highlight.ContainsAny(column.field->field))
            continue;
        const Field field = column.field->field;
        for (int row = 0; row < table.rows; ++row)
            if (highlight.Contains(field, column.perTeam ? TeamOfDriver(row) : row))
                if (const QRect box = CellBox(client, table, k, row); !box.isEmpty())
                    p.fillRect(box, face);
    }
}

// The focus rectangle of the cell cursor: a dotted black outline along the cell's face, every
// other pixel, as a focused list item or button shows one.
void PaintCursor(QPainter& p, const QRect& box) {
    if (box.width() < 3 || box.height() < 3)
        return;
    QPen dots{QColor(Black)};
    dots.setWidth(1);
    dots.setCosmetic(true);
    dots.setDashPattern({1.0, 1.0});
    p.setPen(dots);
    p.setBrush(Qt::NoBrush);
    p.drawRect(box.adjusted(0, 0, -1, -1));
}

void PaintTable(QPainter& p, const QRect& client, const Roster& roster, const ViewSchema& table,
                bool printing, const CellSet* highlight, const TableCell* cursor) {
    const int L = client.left(), T = client.top();
    const int R = client.left() + client.width(), B = client.top() + client.height();
    const int n = static_cast<int>(table.columns.size());
    auto leftOf = [&](int k) {
        return L + table.columns[k].left;
    };
    auto rightOf = [&](int k) {
        return k + 1 < n ? leftOf(k + 1) : R - 1;
    };

    p.save();
    p.setRenderHint(QPainter::Antialiasing, false);
    p.setBrush(Qt::NoBrush);
    const bool fast = PixelExact(p);

    for (int k = 0; k < n; ++k)
        RaisedCell(p, leftOf(k), T, rightOf(k), T + HeaderHeight, printing);
    for (int k = 0; k < n; ++k) {
        const int right = k + 1 < n ? rightOf(k) - 4 : R - 4;
        const QRect box(QPoint(leftOf(k) + 4, T + 3), QPoint(right - 1, T + 20));
        if (box.isValid())
            p.fillRect(box, QColor(Teal));
    }
    p.setFont(TableFonts().header);
    p.setPen(QColor(White));
    const QFontMetrics headerMetrics(p.font());
    TextLayouts* const headerLayouts = fast ? &TextLayouts::For(p) : nullptr;
    for (int k = 0; k < n; ++k)
        if (const std::string_view caption = table.columns[k].Caption(); !caption.empty())
            TextAt(p, headerMetrics, headerLayouts, leftOf(k) + 5, T + 5, ViewText(caption), false);

    for (int k = 0; k < n; ++k)
        RaisedCell(p, leftOf(k), T + HeaderHeight, rightOf(k), B - 1, printing);
    if (highlight && !printing && !highlight->Empty())
        PaintHighlight(p, client, table, *highlight);

    p.setFont(TableFonts().body);
    p.setPen(QColor(Black));
    const QFontMetrics bodyMetrics(p.font());
    TextLayouts* const bodyLayouts = fast ? &TextLayouts::For(p) : nullptr;
    // A painter clipped to a band (a kept frame painted strip by strip) draws only the rows in
    // it, give or take a row for glyphs that reach beyond their own.
    const QRectF band = p.hasClipping() ? p.clipBoundingRect() : QRectF();
    for (int row = 0; row < table.rows; ++row) {
        const int y = T + TextTop + RowPitch * row;
        if (!band.isEmpty() && (y + 2 * RowPitch < band.top() || y - RowPitch > band.bottom()))
            continue;
        for (int k = 0; k < n; ++k) {
            const ViewColumn& column = table.columns[k];
            if (column.Filler())
                continue;
            const std::string_view text = column.Text(roster, row);
            if (text.empty())
                continue;
            const bool right = column.Alignment() == Align::Right;
            const int x = right ? (k + 1 < n ? leftOf(k + 1) : R) - 5 : leftOf(k) + 3;
            TextAt(p, bodyMetrics, bodyLayouts, x, y, CellToQString(text), right);
        }
    }
    if (cursor && !printing && cursor->row >= 0 && cursor->row < table.rows &&
        cursor->column >= 0 && cursor->column < n && !table.columns[cursor->column].Filler())
        PaintCursor(p, CellBox(client, table, cursor->column, cursor->row));
    p.restore();
}

} // namespace

QRect TableCellArea(const QRect& client, const TableCell& cell) {
    const ViewSchema table = SchemaOf(cell.view);
    const int n = static_cast<int>(table.columns.size());
    if (cell.row < 0 || cell.row >= table.rows || cell.column < 0 || cell.column >= n)
        return QRect();
    return CellBox(client, table, cell.column, cell.row);
}

std::optional<TableCell> TableCellAt(const QRect& client, View view, QPoint point) {
    const ViewSchema table = SchemaOf(view);
    const int n = static_cast<int>(table.columns.size());
    // A row is the pitch from just above its text; a column runs from its left edge to the next
    // one's, so that a click on the lines between two cells still picks one.
    const int top = client.top() + TextTop - 1;
    if (point.y() < top || point.y() > client.bottom() - 3)
        return std::nullopt;
    const int row = (point.y() - top) / RowPitch;
    if (row >= table.rows)
        return std::nullopt;
    for (int k = 0; k < n; ++k) {
        const int left = client.left() + table.columns[k].left;
        const int right = k + 1 < n ? client.left() + table.columns[k + 1].left : client.right();
        if (point.x() >= left && point.x() < right)
            return table.columns[k].Filler() ? std::nullopt
                                             : std::optional(TableCell{view, row, k});
    }
    return std::nullopt;
}

int ViewsMinimumWidth(const Roster& roster, const ViewFlags& views) {
    int widest = 0;
    for (auto [set, view] : {std::pair{views.ViewAll, View::All},
                             {views.ViewTeams, View::Teams},
                             {views.ViewDrivers, View::Drivers}}) {
        if (!set)
            continue;
        const ViewSchema table = SchemaOf(view);
        const ViewColumn& last = table.columns.back();
        // A caption starts 5 in and its teal box ends 5 short of the edge; a figure keeps 3 from
        // the left edge and 5 from the right one, as PaintTable draws them.
        int room = 8;
        if (const std::string_view caption = last.Caption(); !caption.empty())
            room = std::max(
                room, QFontMetrics(TableFonts().header).horizontalAdvance(ViewText(caption)) + 10);
        if (!last.Filler()) {
            const QFontMetrics body(TableFonts().body);
            for (int row = 0; row < table.rows; ++row)
                room = std::max(room,
                                body.horizontalAdvance(CellToQString(last.Text(roster, row))) + 8);
        }
        widest = std::max(widest, last.left + room);
    }
    return widest;
}

void PaintView(QPainter& painter, const QRect& client, const Roster& roster, View view,
               bool printingNow, const CellSet* highlight, const TableCell* cursor) {
    PaintTable(painter, client, roster, SchemaOf(view), printingNow, highlight,
               cursor && cursor->view == view ? cursor : nullptr);
}

void PaintViews(QPainter& painter, const QRect& client, const Roster& roster,
                const ViewFlags& views, bool printingNow, const CellSet* highlight,
                const TableCell* cursor) {
    if (views.ViewAll)
        PaintView(painter, client, roster, View::All, printingNow, highlight, cursor);
    if (views.ViewTeams)
        PaintView(painter, client, roster, View::Teams, printingNow, highlight, cursor);
    if (views.ViewDrivers)
        PaintView(painter, client, roster, View::Drivers, printingNow, highlight, cursor);
    if (views.Chart)
        PaintChart(painter, client, MakeChartData(roster), printingNow ? nullptr : highlight);
}

} // namespace rk7
