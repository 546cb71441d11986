#pragma once

#include "model/status.h"

#include <optional>
#include <string>

#include <QByteArray>
#include <QFont>

namespace rk7 {

// The fonts of the tables: Arial (or the sans-serif face that stands in for it, named as the
// face it is) fitted to cells 16 pixels high, at an average character width of 6 pixels for the
// captions (bold) and 7 for the cells.
struct ViewFonts {
    QFont header;
    QFont body;

    friend bool operator==(const ViewFonts&, const ViewFonts&) = default;
};

// The fonts the tables are painted in: those given to UseTableFonts, else fitted at first use.
const ViewFonts& TableFonts();
// Fits the fonts to the faces installed. It loads a font engine of each face at 16 pixels and
// asks fontconfig what stands in for Arial, a fifth of the program's first frame; so the program
// keeps the fit between runs (ReadTableFonts) and checks it once the window is up.
ViewFonts FitTableFonts();
void UseTableFonts(const ViewFonts& fonts);

// A fit kept at path by WriteTableFonts, when it was kept by this version of Qt; nothing for a
// missing file, or for one that holds anything else.
std::optional<ViewFonts> ReadTableFonts(const std::string& path);
// Keeps fonts at path (replaced whole, or not at all), making its folder when missing.
[[nodiscard]] Status WriteTableFonts(const std::string& path, const ViewFonts& fonts);

} // namespace rk7
