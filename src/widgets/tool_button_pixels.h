#pragma once

#include <span>

#include <QtGlobal>

namespace rk7 {

// A tool bar button's image at its usual size, as premultiplied ARGB32 pixels made from
// resources/icons/<name>.png when the program is built: the first frame draws thirteen of them,
// and decoding their files was a measurable part of it.
struct ToolButtonPixels {
    const char* name;
    int width;
    int height;
    const quint32* pixels;
};

std::span<const ToolButtonPixels> ToolButtonPixelTable();

} // namespace rk7
