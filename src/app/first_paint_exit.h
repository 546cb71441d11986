#pragma once

#include <chrono>
#include <cstdio>
#include <cstdlib>

#include <QEvent>
#include <QObject>

namespace rk7 {

// With RK7_EXIT_AFTER_FIRST_PAINT set, the program prints the monotonic clock and its peak
// resident memory once the first frame of the main window has been painted, and exits at once; scripts/measure-startup.sh times
// the start-up with it. The print is queued from the window's first paint event, so it runs when
// the whole frame, every child of the window included, has been painted and flushed.
class FirstPaintExit : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Paint && !m_painted) {
            m_painted = true;
            QMetaObject::invokeMethod(
                this,
                [] {
                    const auto now = std::chrono::steady_clock::now().time_since_epoch();
                    std::printf(
                        "first-paint-ns %lld\n",
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
                },
                Qt::QueuedConnection);
        }
        return false;
    }

private:
    bool m_painted = false;
};

} // namespace rk7
