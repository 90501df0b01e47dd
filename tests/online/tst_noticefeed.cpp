#include "LoopbackServer.h"
#include "support/TestSupport.h"

#include "online/NoticeFeed.h"
#include "platform/AnsiCodec.h"
#include "platform/ErrorGuard.h"
#include "platform/SettingsStore.h"
#include "platform/Shell.h"

#include <QDir>
#include <QLabel>
#include <QTimer>
#include <QtTest>

using Mode = LoopbackServer::Mode;

class TestNoticeFeed : public QObject {
    Q_OBJECT
    TestEnvironment env;
    LoopbackServer server;
    std::unique_ptr<QWidget> strip;
    QLabel* text = nullptr;
    std::unique_ptr<QTimer> timer1;
    std::unique_ptr<NoticeFeed> feed;
    QStringList opened;

    void serveFeed(const QString& content) { server.answer("/softinfo/info.htm", ansi::encode(content)); }

private slots:
    void initTestCase() {
        const QString ini = env.path(QStringLiteral("verbaloom.ini"));
        QFile file(ini);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("[hosts]\nmaker_server=" + server.base().toLatin1() + "\n");
        file.close();
        qputenv("VERBALOOM_CONFIG", ini.toUtf8());
        QDir(env.programFolder()).mkpath(QStringLiteral("update"));
        shell::install([this](const QString&, const QString& target) { opened << target; });
    }

    void init() {
        strip = std::make_unique<QWidget>();
        text = new QLabel(strip.get());
        timer1 = std::make_unique<QTimer>();
        timer1->start(1000);
        feed = std::make_unique<NoticeFeed>(NoticeView{*strip, *text, *timer1});
        opened.clear();
        settings::WriteUpdateFlag(0);
        QFile::remove(NoticeFeed::stagedInstallerPath());
    }

    void noticesRotateAndOpenOnClick() {
        serveFeed(
            QStringLiteral("[info]\r\ncount=3\r\ntime=2000\r\nname1=新课程上线\r\nurl1=http://a/1\r\n"
                           "NAME2=每日一句\r\nurl2=http://a/2\r\nname3=新课程上线\r\nurl3=http://a/3\r\n"
                           "name4=beyond the count\r\n"));
        feed->Timer1Timer();
        QVERIFY(!timer1->isActive());
        QCOMPARE(feed->NoticeCount, 3);
        QVERIFY(feed->Timer2->isActive());
        QCOMPARE(feed->Timer2->interval(), 2000);
        QCOMPARE(text->text(), QString());

        QStringList shown;
        for (int tick = 0; tick < 4; ++tick) {
            feed->Timer2Timer();
            shown << text->text();
        }
        QCOMPARE(shown, (QStringList{QStringLiteral("新课程上线"), QStringLiteral("每日一句"),
                                     QStringLiteral("新课程上线"), QStringLiteral("新课程上线")}));
        // The third notice has the text of the first: a click opens the first one's address.
        feed->Timer2Timer();
        feed->Timer2Timer();
        QCOMPARE(text->text(), QStringLiteral("新课程上线"));
        QTest::mouseClick(strip.get(), Qt::LeftButton);
        QCOMPARE(opened, QStringList{QStringLiteral("http://a/1")});
    }

    void noticeWithoutTextIsOpenedByItsEmptyText() {
        serveFeed(QStringLiteral("[info]\r\ncount=2\r\nname1=一\r\nurl1=http://a/1\r\nurl2=http://a/2\r\n"));
        feed->Timer1Timer();
        QTest::mouseClick(strip.get(), Qt::LeftButton); // nothing shown yet: the empty text matches notice 2
        QCOMPARE(opened, QStringList{QStringLiteral("http://a/2")});
    }

    void brokenCountsAndTimes_data() {
        QTest::addColumn<QString>("info");
        QTest::addColumn<int>("count");
        QTest::addColumn<bool>("rotating");
        QTest::addColumn<int>("interval");
        QTest::newRow("huge count") << QStringLiteral("count=2147483647\r\nname1=a") << 2 << true << 5000;
        QTest::newRow("negative count") << QStringLiteral("count=-5\r\ntime=100000") << -5 << true << 100000;
        QTest::newRow("count not a number") << QStringLiteral("count=three\r\nname1=a") << 0 << true << 5000;
        QTest::newRow("time zero") << QStringLiteral("count=1\r\nname1=a\r\ntime=0") << 1 << false << 0;
        QTest::newRow("time negative") << QStringLiteral("count=1\r\nname1=a\r\ntime=-1") << 1 << false << 0;
        QTest::newRow("time one ms") << QStringLiteral("count=1\r\nname1=a\r\ntime=1") << 1 << true << 200;
        QTest::newRow("time beyond int")
            << QStringLiteral("count=1\r\nname1=a\r\ntime=99999999999") << 1 << true << 5000;
    }

    void brokenCountsAndTimes() {
        QFETCH(QString, info);
        QFETCH(int, count);
        QFETCH(bool, rotating);
        QFETCH(int, interval);
        serveFeed(QStringLiteral("[info]\r\n") + info + QStringLiteral("\r\n"));
        feed->Timer1Timer();
        QCOMPARE(feed->NoticeCount, count);
        QVERIFY(feed->MywebLabelnamelist.size() <= 2);
        QCOMPARE(feed->Timer2->isActive(), rotating);
        if (rotating)
            QCOMPARE(feed->Timer2->interval(), interval);
        feed->Timer2Timer();
        if (count <= 0)
            QVERIFY(!feed->Timer2->isActive()); // no notice: the rotation stops at its first tick
    }

    void offlineKeepsPolling() {
        feed->isOnline = [] { return false; };
        const int before = server.requests;
        feed->Timer1Timer();
        QVERIFY(timer1->isActive());
        QCOMPARE(server.requests, before);
    }

    void failedFeedIsSilentAndFinal() {
        server.answer("/softinfo/info.htm", "gone", 404);
        feed->Timer1Timer();
        QVERIFY(!timer1->isActive());
        QCOMPARE(feed->NoticeCount, 0);
        QVERIFY(!feed->Timer2->isActive());
        QCOMPARE(settings::ReadUpdateFlag(), 0);
    }

    void versionDecidesStaging_data() {
        QTest::addColumn<QString>("update");
        QTest::addColumn<bool>("staged");
        QTest::newRow("one above") << QStringLiteral("[update]\r\nver=20120321\r\n") << true;
        QTest::newRow("equal") << QStringLiteral("[update]\r\nver=20120320\r\n") << false;
        QTest::newRow("older") << QStringLiteral("[update]\r\nver=20110101\r\n") << false;
        QTest::newRow("no section") << QString() << false;
    }

    void versionDecidesStaging() {
        QFETCH(QString, update);
        QFETCH(bool, staged);
        server.route("/softinfo/VerbaloomSetup.exe", {Mode::Answer, 200, "new installer", 200});
        QFile old(NoticeFeed::stagedInstallerPath());
        QVERIFY(old.open(QIODevice::WriteOnly));
        old.write("old installer");
        old.close();
        serveFeed(QStringLiteral("[info]\r\ncount=0\r\n") + update);
        feed->Timer1Timer();
        QCOMPARE(settings::ReadUpdateFlag(), staged ? 1 : 0);
        if (staged) {
            QVERIFY(!QFile::exists(
                NoticeFeed::stagedInstallerPath())); // the flag is set before the download ends
            QTRY_VERIFY(QFile::exists(NoticeFeed::stagedInstallerPath()));
            QFile file(NoticeFeed::stagedInstallerPath());
            QVERIFY(file.open(QIODevice::ReadOnly));
            QCOMPARE(file.readAll(), QByteArray("new installer"));
        } else {
            QVERIFY(QFile::exists(NoticeFeed::stagedInstallerPath()));
        }
    }

    void brokenInstallerIsNeverStaged() {
        server.route("/setup-broken", {Mode::CloseMidBody, 200, "half an installer"});
        serveFeed(QStringLiteral("[update]\r\nver=20990101\r\nurl=") +
                  server.url(QStringLiteral("/setup-broken")));
        const int before = server.answered;
        feed->Timer1Timer();
        QCOMPARE(settings::ReadUpdateFlag(), 1);
        QTRY_COMPARE(server.answered, before + 1);
        QTest::qWait(200);
        QCOMPARE(QDir(env.path(QStringLiteral("update"))).entryList(QDir::Files | QDir::Hidden),
                 QStringList());
    }

    void versionNotANumberEndsOnlyTheUpdateCheck() {
        serveFeed(QStringLiteral("[info]\r\ncount=1\r\nname1=a\r\n[update]\r\nver=2012-03-21\r\n"));
        QVERIFY_THROWS_EXCEPTION(UserError, feed->Timer1Timer());
        QVERIFY(feed->Timer2->isActive());
        QCOMPARE(settings::ReadUpdateFlag(), 0);
    }
};

QTEST_MAIN(TestNoticeFeed)
#include "tst_noticefeed.moc"
