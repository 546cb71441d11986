#pragma once

#include <QIcon>

namespace rk7 {

// The program's icon in all its sizes; each is decoded only when a size is asked for.
QIcon AppIcon();

} // namespace rk7
