#pragma once

#include <QIcon>

namespace rk7 {

// The program's icon in all its sizes (48, 128 and 256 pixels).
QIcon AppIcon();

// A tool bar button's image from the resources (":/icons/<bitmap>.png", and its "@2x" twin for
// high-density screens).
QIcon ToolButtonIcon(const char* bitmap);

} // namespace rk7
