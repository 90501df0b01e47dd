#include "LoopbackServer.h"
#include "support/TestSupport.h"

#include "online/Download.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QtTest>

using namespace std::chrono_literals;
using Mode = LoopbackServer::Mode;

namespace {

QByteArray readAll(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

void writeFile(const QString& path, const QByteArray& content) {
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(content);
}

} // namespace

class TestDownload : public QObject {
    Q_OBJECT
    TestEnvironment env;
    LoopbackServer server;
    QString target;

private slots:
    void init() {
        target = env.path(QStringLiteral("target.dat"));
        writeFile(target, "earlier content");
    }

    void outcomes_data() {
        QTest::addColumn<int>("mode");
        QTest::addColumn<int>("status");
        QTest::addColumn<QByteArray>("body");
        QTest::addColumn<qint64>("limit");
        QTest::addColumn<bool>("ok");

        const QByteArray doc("[info]\r\ncount=1\r\n\x80\xff binary\r\n", 30);
        QTest::newRow("success") << int(Mode::Answer) << 200 << doc << qint64(1000) << true;
        QTest::newRow("empty body") << int(Mode::Answer) << 200 << QByteArray() << qint64(1000) << true;
        QTest::newRow("body without length") << int(Mode::NoLength) << 200 << doc << qint64(1000) << true;
        QTest::newRow("404") << int(Mode::Answer) << 404 << QByteArray("error page") << qint64(1000) << false;
        QTest::newRow("500") << int(Mode::Answer) << 500 << QByteArray("error page") << qint64(1000) << false;
        QTest::newRow("closed mid-body") << int(Mode::CloseMidBody) << 200 << doc << qint64(1000) << false;
        QTest::newRow("over the limit")
            << int(Mode::Answer) << 200 << QByteArray(2000, 'x') << qint64(1000) << false;
        QTest::newRow("over the limit, no length")
            << int(Mode::NoLength) << 200 << QByteArray(2000, 'x') << qint64(1000) << false;
    }

    // A failure never touches the target, and no temporary file is left beside it.
    void outcomes() {
        QFETCH(int, mode);
        QFETCH(int, status);
        QFETCH(QByteArray, body);
        QFETCH(qint64, limit);
        QFETCH(bool, ok);
        server.route("/file", {Mode(mode), status, body});

        QCOMPARE(DownloadFile(server.url(QStringLiteral("/file")), target, {limit, 5s}), ok);
        QCOMPARE(readAll(target), ok ? body : QByteArray("earlier content"));
        QCOMPARE(QDir(env.programFolder()).entryList(QDir::Files | QDir::Hidden),
                 QStringList{QStringLiteral("target.dat")});
    }

    void redirectIsFollowed() {
        server.answer("/moved-here", "the real thing");
        server.route("/old",
                     {Mode::Answer, 302, {}, 0, server.url(QStringLiteral("/moved-here")).toLatin1()});
        QVERIFY(DownloadFile(server.url(QStringLiteral("/old")), target));
        QCOMPARE(readAll(target), QByteArray("the real thing"));
    }

    void refusedConnectionAndBadAddress() {
        QTcpServer closed;
        QVERIFY(closed.listen(QHostAddress::LocalHost));
        const quint16 port = closed.serverPort();
        closed.close();
        QVERIFY(!DownloadFile(QStringLiteral("http://127.0.0.1:%1/x").arg(port), target));
        QVERIFY(!DownloadFile(QString(), target));
        QVERIFY(!DownloadFile(QStringLiteral("no address at all"), target));
        QCOMPARE(readAll(target), QByteArray("earlier content"));
    }

    void missingFolderCreatesNothing() {
        server.answer("/file", "content");
        const QString path = env.path(QStringLiteral("nowhere/target.dat"));
        QVERIFY(!DownloadFile(server.url(QStringLiteral("/file")), path));
        QVERIFY(!QFileInfo::exists(env.path(QStringLiteral("nowhere"))));
    }

    void silentServerTimesOut() {
        server.route("/silent", {Mode::Silent});
        QElapsedTimer clock;
        clock.start();
        QVERIFY(!DownloadFile(server.url(QStringLiteral("/silent")), target, {1000, 300ms}));
        QVERIFY(clock.elapsed() < 10000);
        QCOMPARE(readAll(target), QByteArray("earlier content"));
    }

    // A download started inside the wait of another returns first; the outer one still
    // returns its own result.
    void nestedWaitsReturnInnermostFirst() {
        server.route("/slow", {Mode::Answer, 200, "outer", 400});
        server.answer("/fast", "inner");
        const QString inner = env.path(QStringLiteral("inner.dat"));
        QStringList order;
        QTimer::singleShot(50, this, [&] {
            order << QStringLiteral("inner started");
            QVERIFY(DownloadFile(server.url(QStringLiteral("/fast")), inner));
            order << QStringLiteral("inner returned");
        });
        QVERIFY(DownloadFile(server.url(QStringLiteral("/slow")), target));
        order << QStringLiteral("outer returned");
        QCOMPARE(order, (QStringList{QStringLiteral("inner started"), QStringLiteral("inner returned"),
                                     QStringLiteral("outer returned")}));
        QCOMPARE(readAll(target), QByteArray("outer"));
        QCOMPARE(readAll(inner), QByteArray("inner"));
    }

    void startDownloadRunsOnItsOwn() {
        server.route("/later", {Mode::Answer, 200, "installer", 100});
        const QString staged = env.path(QStringLiteral("staged.exe"));
        StartDownload(server.url(QStringLiteral("/later")), staged);
        QVERIFY(!QFile::exists(staged));
        QTRY_COMPARE(readAll(staged), QByteArray("installer"));

        server.route("/broken", {Mode::CloseMidBody, 200, "half an installer"});
        const int before = server.answered;
        StartDownload(server.url(QStringLiteral("/broken")), target);
        QTRY_COMPARE(server.answered, before + 1);
        QTest::qWait(100);
        QCOMPARE(readAll(target), QByteArray("earlier content"));
    }

    void makerServerOnThisMachineIsOnline() {
        const QString ini = env.path(QStringLiteral("verbaloom.ini"));
        writeFile(ini, "[hosts]\nmaker_server=" + server.base().toLatin1() + "\n");
        qputenv("VERBALOOM_CONFIG", ini.toUtf8());
        QVERIFY(IsOnline());
    }

    // Last: a quit request stays pending for the rest of the process.
    void quitDuringWaitLetsTheCallerFinish() {
        server.route("/slow", {Mode::Answer, 200, "complete", 300});
        QTimer::singleShot(50, qApp, &QCoreApplication::quit);
        QVERIFY(DownloadFile(server.url(QStringLiteral("/slow")), target));
        QCOMPARE(readAll(target), QByteArray("complete"));
    }
};

QTEST_MAIN(TestDownload)
#include "tst_download.moc"
