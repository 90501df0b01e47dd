// Launch of Lectern until its main window is first exposed, against a bare Qt main window
// launched the same way (same environment, same platform). Median of several alternating runs.
#include <QCoreApplication>
#include <QFile>
#include <QProcess>
#include <QProcessEnvironment>
#include <QTemporaryDir>
#include <QTextStream>

#include <algorithm>
#include <chrono>
#include <optional>
#include <vector>

namespace {

constexpr int kRuns = 7;

long long monotonicNow() {
    return std::chrono::nanoseconds(std::chrono::steady_clock::now().time_since_epoch()).count();
}

// Milliseconds from the launch to the program's "shown" line.
std::optional<double> launch(const QString& program, const QProcessEnvironment& environment) {
    QProcess process;
    process.setProcessEnvironment(environment);
    process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    const long long started = monotonicNow();
    process.start(program, {});
    if (!process.waitForFinished(60000)) {
        process.kill();
        process.waitForFinished();
        return std::nullopt;
    }
    for (const QByteArray& line : process.readAllStandardOutput().split('\n')) {
        if (line.startsWith("shown "))
            return (line.mid(6).toLongLong() - started) / 1e6;
    }
    return std::nullopt;
}

double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QTextStream out(stdout);
    QTemporaryDir dir;
    QFile config(dir.filePath(QStringLiteral("verbaloom.ini")));
    config.open(QIODevice::WriteOnly);
    config.write("[hosts]\nmaker_server=http://127.0.0.1:9\ndownload_site=http://127.0.0.1:9\n");
    config.close();

    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("VERBALOOM_STARTUP_PROBE"), QStringLiteral("1"));
    environment.insert(QStringLiteral("VERBALOOM_PROGRAM_FOLDER"), dir.path());
    environment.insert(QStringLiteral("VERBALOOM_CONFIG"), config.fileName());
    environment.insert(QStringLiteral("XDG_CONFIG_HOME"), dir.filePath(QStringLiteral("config")));
    environment.insert(QStringLiteral("QTWEBENGINE_DISABLE_SANDBOX"), QStringLiteral("1"));
    if (!environment.contains(QStringLiteral("DISPLAY")) &&
        !environment.contains(QStringLiteral("QT_QPA_PLATFORM")))
        environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    out << "platform: " << environment.value(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"))
        << "\n";

    const QString lectern = QStringLiteral(LECTERN_PATH);
    const QString bare = QStringLiteral(BARE_WINDOW_PATH);
    // One untimed launch of each fills the file cache.
    if (!launch(lectern, environment) || !launch(bare, environment)) {
        out << "a program did not report its shown window\n";
        return 1;
    }
    std::vector<double> lecternTimes;
    std::vector<double> bareTimes;
    for (int i = 0; i < kRuns; ++i) {
        const auto a = launch(lectern, environment);
        const auto b = launch(bare, environment);
        if (!a || !b) {
            out << "a program did not report its shown window\n";
            return 1;
        }
        lecternTimes.push_back(*a);
        bareTimes.push_back(*b);
    }
    const double ours = median(lecternTimes);
    const double baseline = median(bareTimes);
    out << "Lectern to its shown main window: " << ours << " ms (median of " << kRuns << ")\n";
    out << "bare Qt main window: " << baseline << " ms\n";
    out << "Lectern / bare window ratio: " << ours / baseline << " (goal at most 1.5)" << Qt::endl;
    return 0;
}
