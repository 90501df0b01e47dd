// The sample server tree as scripts/serve-content serves it, read by the real windows.
#include "support/TestSupport.h"

#include "app/TfmMain.h"
#include "documents/DocumentCommands.h"
#include "online/Download.h"
#include "online/TfrmEngOnlineData.h"

#include <QListWidget>
#include <QPlainTextEdit>
#include <QProcess>
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
};

QTEST_MAIN(TestContent)
#include "tst_content.moc"
