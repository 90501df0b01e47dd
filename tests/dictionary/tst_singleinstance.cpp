#include "core/SingleInstance.h"

#include <QCoreApplication>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

#include <cstdlib>

using glossa::SingleInstance;

namespace {

const QString kName = QStringLiteral("蓝岸英汉小词典");

// The test program run again as another copy: "try" reports whether it got the lock; "crash" takes
// the lock and dies without releasing it.
int runAsChild(const QString& mode) {
    SingleInstance instance(kName);
    const bool acquired = instance.acquire();
    if (mode == QStringLiteral("crash")) {
        if (!acquired)
            return 3;
        std::_Exit(9);
    }
    return acquired ? 0 : 1;
}

int child(const QString& mode) {
    QProcess process;
    process.start(QCoreApplication::applicationFilePath(), {QStringLiteral("--child"), mode});
    if (!process.waitForFinished(30000))
        return -1;
    return process.exitCode();
}

} // namespace

class SingleInstanceTest : public QObject {
    Q_OBJECT

    QTemporaryDir m_runtime;

private slots:
    void initTestCase() {
        QVERIFY(m_runtime.isValid());
        qputenv("XDG_RUNTIME_DIR", m_runtime.path().toLocal8Bit());
    }

    void aSecondCopyIsRefusedWhileTheFirstRuns() {
        SingleInstance first(kName);
        QVERIFY(first.acquire());
        QVERIFY(first.lockPath().startsWith(m_runtime.path()));
        QCOMPARE(child(QStringLiteral("try")), 1);
    }

    void theLockIsFreeOnceTheFirstCopyEnds() {
        {
            SingleInstance first(kName);
            QVERIFY(first.acquire());
        }
        QCOMPARE(child(QStringLiteral("try")), 0);
    }

    void aLockLeftByACrashedCopyDoesNotBlock() {
        QCOMPARE(child(QStringLiteral("crash")), 9);
        QVERIFY(QFile::exists(SingleInstance(kName).lockPath())); // the dead copy's lock is still there
        SingleInstance next(kName);
        QVERIFY(next.acquire());
    }
};

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    if (argc == 3 && qstrcmp(argv[1], "--child") == 0)
        return runAsChild(QString::fromLocal8Bit(argv[2]));
    SingleInstanceTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_singleinstance.moc"
