#pragma once

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <utility>

#include <QEvent>
#include <QObject>
#include <QWidget>

namespace rk7 {

// Runs then once the first frame of widget has been painted and flushed: queued from the
// widget's first paint event, it runs when the whole frame, every child of the widget included,
// has been painted. The widget owns it.
class AfterFirstPaint : public QObject {
public:
    AfterFirstPaint(QWidget* widget, std::function<void()> then)
        : QObject(widget), m_then(std::move(then)) {
        widget->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint) {
            watched->removeEventFilter(this);
            QMetaObject::invokeMethod(
                this,
                [this] {
                    deleteLater();
                    m_then();
                },
                Qt::QueuedConnection);
        }
        return false;
    }

private:
    std::function<void()> m_then;
};

// For RK7_EXIT_AFTER_FIRST_PAINT: prints the monotonic clock and the peak resident memory once
// the first frame of window has been painted, and exits at once; scripts/measure-startup.sh
// times the start-up with it.
inline void ExitAfterFirstPaint(QWidget* window) {
    new AfterFirstPaint(window, [] {
        const auto now = std::chrono::steady_clock::now().time_since_epoch();
        std::printf("first-paint-ns %lld\n",
                    static_cast<long long>(
                        std::chrono::duration_cast<std::chrono::nanoseconds>(now).count()));
        // VmHWM: the most memory the process has held in RAM so far.
        if (std::FILE* status = std::fopen("/proc/self/status", "r")) {
            char line[256];
            long kb = -1;
            while (std::fgets(line, sizeof line, status))
                if (std::sscanf(line, "VmHWM: %ld kB", &kb) == 1)
                    break;
            std::fclose(status);
            std::printf("peak-rss-kb %ld\n", kb);
        }
        std::fflush(stdout);
        std::_Exit(0);
    });
}

} // namespace rk7
