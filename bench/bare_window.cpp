// The start-up anchor: a bare Qt window, shown; its first paint writes "shown <CPU ms>" (the
// process's CPU time so far) and ends the program, as the program's own start-up timing does.
#include <QApplication>
#include <QEvent>
#include <QTimer>
#include <QWidget>
#include <cstdio>
#include <ctime>

class Window final : public QWidget {
protected:
    void paintEvent(QPaintEvent*) override {
        QTimer::singleShot(0, [] {
            timespec cpu{};
            clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &cpu);
            std::printf("shown %.1f\n", cpu.tv_sec * 1e3 + cpu.tv_nsec / 1e6);
            std::fflush(stdout);
            QApplication::exit(0);
        });
    }
};

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    Window window;
    window.resize(400, 300);
    window.show();
    return QApplication::exec();
}
