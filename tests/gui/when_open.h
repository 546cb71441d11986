#pragma once

#include <functional>

#include <QApplication>
#include <QTimer>

namespace rk7::test {

// Runs f on the modal dialog of type D as soon as it is open; f must close the dialog.
template <typename D>
void WhenOpen(std::function<void(D*)> f) {
    QTimer::singleShot(0, [f] {
        if (auto* dialog = qobject_cast<D*>(QApplication::activeModalWidget()))
            f(dialog);
        else
            WhenOpen<D>(f);
    });
}

} // namespace rk7::test
