// Glossa against the sqlite3 shell on the same generated dictionary, in the same run:
// start-up to the first entry shown, exact look-up, partial look-up of two letters, and the program's
// resident memory with the file open. The ratios (Glossa / shell) are printed last.

#include "GenerateDictionary.h"

#include "core/DatabaseError.h"
#include "core/WordStore.h"
#include "windows/Appearance.h"
#include "windows/GlossaWindows.h"
#include "windows/TMain.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QPlainTextEdit>
#include <QProcess>
#include <QSqlQuery>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTimer>
#include <QWindow>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

namespace {

double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values.empty() ? 0 : values[values.size() / 2];
}

double timeMs(const std::function<void()>& step) {
    QElapsedTimer clock;
    clock.start();
    step();
    return static_cast<double>(clock.nsecsElapsed()) / 1e6;
}

long residentKb() {
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray& line : status.readAll().split('\n'))
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').first().toLong();
    return -1;
}

// Child mode: the program's own start-up path until the first entry is on screen.
int startUpChild(const QString& file) {
    glossa::SetUpAppearance(*qApp);
    glossa::GlossaWindows w([file] { return file; });
    w.main().show();
    while (!w.main().windowHandle() || !w.main().windowHandle()->isExposed() ||
           w.main().DBMemo1->toPlainText().isEmpty())
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 10);
    QCoreApplication::processEvents();
    std::printf("shown %ld\n", residentKb());
    std::fflush(stdout);
    // The rest of the ids arrive while the window runs: the longest wait of a 5 ms timer until then
    // is how long the window could not react.
    QElapsedTimer clock, gap;
    clock.start();
    gap.start();
    qint64 longest = 0;
    QTimer tick;
    QObject::connect(&tick, &QTimer::timeout, [&] {
        longest = std::max(longest, gap.restart());
        if (!w.main().store().isFetching())
            QCoreApplication::quit();
    });
    tick.start(5);
    QCoreApplication::exec();
    std::printf("rest %lld %lld\n", static_cast<long long>(longest), static_cast<long long>(clock.elapsed()));
    std::fflush(stdout);
    return 0;
}

QString g_shell;

// Wall time of the sqlite3 shell running script on file, output discarded.
double shellMs(const QString& file, const QString& script) {
    QProcess shell;
    shell.setStandardOutputFile(QProcess::nullDevice());
    QElapsedTimer clock;
    clock.start();
    shell.start(g_shell, {file});
    shell.write(script.toUtf8());
    shell.closeWriteChannel();
    shell.waitForFinished(-1);
    return static_cast<double>(clock.nsecsElapsed()) / 1e6;
}

// One statement's cost in the shell: repeated in one run, the shell's own start-up subtracted.
double shellStatementMs(const QString& file, const QString& statement, int repeats) {
    QString script;
    for (int i = 0; i < repeats; ++i)
        script += statement + QStringLiteral(";\n");
    std::vector<double> runs, empty;
    for (int i = 0; i < 3; ++i) {
        empty.push_back(shellMs(file, QString()));
        runs.push_back(shellMs(file, script));
    }
    return std::max(0.001, (median(runs) - median(empty)) / repeats);
}

QString sqlText(QString text) {
    return QStringLiteral("'") + text.replace(QStringLiteral("'"), QStringLiteral("''")) +
           QStringLiteral("'");
}

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() == 3 && args.at(1) == QStringLiteral("--startup-child"))
        return startUpChild(args.at(2));

    g_shell = QStandardPaths::findExecutable(QStringLiteral("sqlite3"));
    if (g_shell.isEmpty()) {
        std::fprintf(stderr, "the sqlite3 shell is needed (Debian package sqlite3)\n");
        return 1;
    }
    QTemporaryDir folder;
    QString file = args.size() == 3 && args.at(1) == QStringLiteral("--file") ? args.at(2) : QString();
    constexpr int kEntries = 500000;
    if (file.isEmpty()) {
        file = folder.filePath(QStringLiteral("dict.mdb"));
        const double ms = timeMs([&] { GenerateDictionary(file, kEntries); });
        std::printf("generated %d entries in %.0f ms: %s\n", kEntries, ms, qPrintable(file));
    }

    // Start-up to the first entry shown, in a fresh process each time. The child reports when the
    // entry is on screen; its own exit comes later, after the remaining rows.
    std::vector<double> startUps;
    long rss = -1, longestWait = -1, restMs = -1;
    for (int i = 0; i < 5; ++i) {
        QProcess child;
        child.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        QElapsedTimer clock;
        clock.start();
        child.start(QCoreApplication::applicationFilePath(), {QStringLiteral("--startup-child"), file});
        if (!child.waitForReadyRead(60000) || !child.canReadLine()) {
            std::fprintf(stderr, "the start-up child failed\n");
            return 1;
        }
        startUps.push_back(static_cast<double>(clock.nsecsElapsed()) / 1e6);
        child.waitForFinished(120000);
        const QList<QByteArray> words = child.readAllStandardOutput().simplified().split(' ');
        if (words.size() != 5) {
            std::fprintf(stderr, "the start-up child failed\n");
            return 1;
        }
        rss = words.at(1).toLong();
        longestWait = words.at(3).toLong();
        restMs = words.at(4).toLong();
    }
    const double startUp = median(startUps);
    std::vector<double> shellWhole, shellFirst;
    for (int i = 0; i < 5; ++i) {
        shellWhole.push_back(shellMs(file, QStringLiteral("SELECT * FROM 英语单词;\n")));
        shellFirst.push_back(shellMs(file, QStringLiteral("SELECT * FROM 英语单词 LIMIT 1;\n")));
    }
    const double shellStartUp = median(shellWhole);

    // Look-ups on the program's own result set, as the window runs them.
    glossa::WordStore store([file] { return file; });
    store.openWordStore();
    store.fetchAll();
    store.setCurrentRow(store.rowCount() / 2);
    const QString exactWord = store.currentValue(QStringLiteral("单词")).toUpper(); // case is ignored
    const QString explanation = QStringLiteral("解释");
    constexpr int kExactRepeats = 200;
    const double exact = timeMs([&] {
                             for (int i = 0; i < kExactRepeats; ++i) {
                                 store.lookUpWord(exactWord, false);
                                 (void)store.currentValue(explanation);
                             }
                         }) /
                         kExactRepeats;
    const double shellExact = shellStatementMs(
        file, QStringLiteral("SELECT * FROM 英语单词 WHERE 单词 = %1 COLLATE NOCASE").arg(sqlText(exactWord)),
        kExactRepeats);

    std::vector<double> partialShown, partialAll;
    int partialRows = 0;
    for (int i = 0; i < 5; ++i) {
        partialShown.push_back(timeMs([&] {
            store.lookUpWord(QStringLiteral("ab"), true);
            (void)store.currentValue(explanation);
        }));
        partialAll.push_back(partialShown.back() + timeMs([&] { store.fetchAll(); }));
        partialRows = store.rowCount();
    }
    const double shellPartial =
        shellStatementMs(file, QStringLiteral("SELECT * FROM 英语单词 WHERE 单词 LIKE '%ab%'"), 5);

    std::vector<double> wholeShown, wholeAll;
    for (int i = 0; i < 3; ++i) {
        wholeShown.push_back(timeMs([&] { store.lookUpWord(QString(), true); }));
        wholeAll.push_back(wholeShown.back() + timeMs([&] { store.fetchAll(); }));
    }

    std::printf(
        "start-up to first entry shown: Glossa %.1f ms; sqlite3 shell: whole table %.1f ms, first row "
        "%.1f ms\n",
        startUp, shellStartUp, median(shellFirst));
    std::printf("resident memory of Glossa with the file open: %ld kB\n", rss);
    std::printf("the remaining %d row ids arrived in %ld ms; the window's longest wait meanwhile: %ld ms\n",
                kEntries, restMs, longestWait);
    std::printf("exact look-up of %s: Glossa %.3f ms; sqlite3 shell %.3f ms per statement\n",
                qPrintable(exactWord), exact, shellExact);
    std::printf("partial look-up of 'ab' (%d rows): Glossa %.1f ms to first row shown, %.1f ms for all row "
                "ids; sqlite3 shell %.1f ms per statement\n",
                partialRows, median(partialShown), median(partialAll), shellPartial);
    std::printf(
        "partial look-up of '' (%d rows): Glossa %.1f ms to first row shown, %.1f ms for all row ids\n",
        store.rowCount(), median(wholeShown), median(wholeAll));
    std::printf("ratio Glossa/sqlite3: start-up %.2f, exact %.2f, partial %.2f\n", startUp / shellStartUp,
                exact / shellExact, median(partialShown) / shellPartial);
    return 0;
}
