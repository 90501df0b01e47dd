// The sample server tree as scripts/serve-content serves it, read by the real windows.
#include "support/TestSupport.h"

#include "app/TfmMain.h"
#include "documents/DocumentCommands.h"
#include "online/Download.h"
#include "online/TfrmEngOnlineData.h"
#include "speech/MediaPlayerBar.h"

#include <QFileInfo>
#include <QLineEdit>
#include <QListWidget>
#include <QMediaPlayer>
#include <QPlainTextEdit>
#include <QProcess>
#include <QPushButton>
#include <QtTest>

class TestContent : public QObject {
    Q_OBJECT
    TestEnvironment env;
    std::shared_ptr<ScriptedDialogs> dialogs;
    QProcess server;
    QString base;

private slots:
    void initTestCase() {
        dialogs = ScriptedDialogs::install();
        server.setProgram(qEnvironmentVariable("VERBALOOM_SOURCE_DIR") +
                          QStringLiteral("/scripts/serve-content"));
        server.setArguments({QStringLiteral("--port"), QStringLiteral("0"), QStringLiteral("--dir"),
                             QStringLiteral(VERBALOOM_CONTENT_TREE)});
        server.start();
        QVERIFY(server.waitForReadyRead(10000));
        base = QString::fromLatin1(server.readLine()).trimmed();
        QVERIFY(base.startsWith(QLatin1String("http://127.0.0.1:")));
        const QString ini = env.path(QStringLiteral("verbaloom.ini"));
        QFile file(ini);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("[hosts]\nmaker_server=" + base.toLatin1() + "\n");
        file.close();
        qputenv("VERBALOOM_CONFIG", ini.toUtf8());
    }

    void cleanupTestCase() {
        server.kill();
        server.waitForFinished();
    }

    void feedHasNotices() {
        QVERIFY(
            DownloadFile(base + QStringLiteral("/softinfo/info.htm"), env.path(QStringLiteral("info.dat"))));
    }

    void everyListedArticleOpensIntoTheMainWindow() {
        TfmMain main({});
        TfrmEngOnlineData resources;
        resources.setArticleOpener([&](const QString& title, const QString& address) {
            main.documents->OpenCurrentArticle(title, address);
        });
        resources.LoadArticleList();
        QVERIFY(dialogs->messages.isEmpty());
        QVERIFY(resources.Listfenlei->count() >= 3);
        int articles = 0;
        for (int c = 0; c < resources.Listfenlei->count(); ++c) {
            resources.Listfenlei->setCurrentRow(c);
            for (int a = 0; a < resources.Listwenzhang->count(); ++a, ++articles) {
                resources.Listwenzhang->setCurrentRow(a);
                resources.ListwenzhangDblClick();
                QVERIFY2(dialogs->messages.isEmpty(), qPrintable(dialogs->messages.join(QLatin1Char(' '))));
                const QString title = resources.Listwenzhang->item(a)->text();
                QCOMPARE(main.windowTitle(), TfmMain::baseTitle() + QStringLiteral("   ") + title);
                QVERIFY(!main.MemMain->toPlainText().isEmpty());
                QVERIFY(!main.Memo2->toPlainText().isEmpty());
                QVERIFY(!main.Memo3->toPlainText().isEmpty());
            }
        }
        QVERIFY(articles >= 9);
    }

    // Articles with a recording name a file of the tree; one also carries it as a local file
    // and plays it from the read button.
    void recordingsPlayFromTheReadButton() {
        TfmMain main({});
        TfrmEngOnlineData resources;
        resources.setArticleOpener([&](const QString& title, const QString& address) {
            main.documents->OpenCurrentArticle(title, address);
        });
        resources.LoadArticleList();
        auto* player = main.findChild<MediaPlayerBar*>(QStringLiteral("wmp1"));
        QVERIFY(player);
        int recorded = 0;
        int local = 0;
        for (int c = 0; c < resources.Listfenlei->count(); ++c) {
            resources.Listfenlei->setCurrentRow(c);
            for (int a = 0; a < resources.Listwenzhang->count(); ++a) {
                resources.Listwenzhang->setCurrentRow(a);
                resources.ListwenzhangDblClick();
                if (main.BtnRead->text() != kReadHuman)
                    continue;
                ++recorded;
                const QString path = QUrl(main.Edit1->text()).path();
                QVERIFY2(path.startsWith(QLatin1String("/audio/")), qPrintable(main.Edit1->text()));
                QVERIFY(QFileInfo(QStringLiteral(VERBALOOM_CONTENT_TREE) + path).size() > 0);
                if (main.Edit2->text().isEmpty())
                    continue;
                ++local;
                main.BtnRead->click();
                QCOMPARE(player->player().source(), QUrl::fromLocalFile(main.Edit2->text()));
                QTRY_COMPARE_WITH_TIMEOUT(player->player().playbackState(), QMediaPlayer::PlayingState,
                                          10000);
                QTRY_VERIFY_WITH_TIMEOUT(player->player().position() > 0, 10000);
            }
        }
        QVERIFY(recorded >= 2);
        QVERIFY(local >= 1);
    }
};

QTEST_MAIN(TestContent)
#include "tst_content.moc"
