#include "app/app_icon.h"

namespace rk7 {

QIcon AppIcon() {
    QIcon icon;
    for (int size : {48, 128, 256})
        icon.addFile(QStringLiteral(":/icons/app-%1.png").arg(size), QSize(size, size));
    return icon;
}

} // namespace rk7
