// The baseline of the start-up benchmark: an empty main window shown maximized, which prints the
// moment it is first exposed ("shown <ns>", monotonic clock) and quits.
#include <QApplication>
#include <QEvent>
#include <QMainWindow>
#include <QTimer>
#include <QWindow>

#include <chrono>
#include <cstdio>

namespace {

class ExposeProbe : public QObject {
public:
    using QObject::QObject;

    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Expose && static_cast<QWindow*>(watched)->isExposed()) {
            const auto now = std::chrono::steady_clock::now().time_since_epoch();
            std::printf("shown %lld\n", static_cast<long long>(std::chrono::nanoseconds(now).count()));
            std::fflush(stdout);
            watched->removeEventFilter(this);
            QTimer::singleShot(0, qApp, &QCoreApplication::quit);
        }
        return false;
    }
};

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QMainWindow window;
    window.setWindowTitle(QStringLiteral("bare"));
    window.winId();
    window.windowHandle()->installEventFilter(new ExposeProbe(&window));
    window.showMaximized();
    return app.exec();
}
