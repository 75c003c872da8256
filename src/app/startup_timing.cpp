#include "app/startup_timing.h"

#include <QApplication>
#include <QEvent>
#include <QTimer>
#include <QWidget>
#include <cstdio>
#include <ctime>

namespace parlumo {

namespace {

// Watches every widget's events: the screen itself may never be painted when its children cover
// it, so the first paint of the screen or of any widget on it counts.
class FirstPaint final : public QObject {
public:
    explicit FirstPaint(QWidget* screen) : QObject(screen), screen_(screen) {}
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint && !seen_ && watched->isWidgetType() &&
            (watched == screen_ || screen_->isAncestorOf(static_cast<QWidget*>(watched)))) {
            seen_ = true;
            // Reported once the paint is done, from the event loop.
            QTimer::singleShot(0, [] {
                timespec cpu{};
                clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &cpu);
                std::printf("shown %.1f\n", cpu.tv_sec * 1e3 + cpu.tv_nsec / 1e6);
                std::fflush(stdout);
                QApplication::exit(0);
            });
        }
        return false;
    }

private:
    QWidget* screen_;
    bool seen_ = false;
};

} // namespace

void reportFirstPaintIfAsked(QWidget* screen) {
    if (qEnvironmentVariableIsSet("PARLUMO_STARTUP_TIMING"))
        qApp->installEventFilter(new FirstPaint(screen));
}

} // namespace parlumo
