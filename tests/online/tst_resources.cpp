#include "LoopbackServer.h"
#include "support/TestSupport.h"

#include "online/TfrmEngOnlineData.h"
#include "platform/AnsiCodec.h"
#include "platform/Shell.h"

#include <QAction>
#include <QListWidget>
#include <QPushButton>
#include <QTimer>
#include <QtTest>

namespace {

QStringList texts(const QListWidget* list) {
    QStringList out;
    for (int i = 0; i < list->count(); ++i)
        out << list->item(i)->text();
    return out;
}

} // namespace

class TestResources : public QObject {
    Q_OBJECT
    TestEnvironment env;
    LoopbackServer server;
    std::shared_ptr<ScriptedDialogs> dialogs;
    std::unique_ptr<TfrmEngOnlineData> window;
    QList<QPair<QString, QString>> openedArticles;
    QStringList shellOpened;

    QByteArray list() const {
        return ansi::encode(
            QStringLiteral("[初级读物]\r\n小猫=%1\r\n下雨天=%2\r\n[中级 读物]\r\n无地址=\r\n[空类]\r\n")
                .arg(server.url(QStringLiteral("/a/cat.vbd")), server.url(QStringLiteral("/a/rain.vbd"))));
    }

private slots:
    void initTestCase() {
        const QString ini = env.path(QStringLiteral("verbaloom.ini"));
        QFile file(ini);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("[hosts]\nmaker_server=" + server.base().toLatin1() +
                   "\ndownload_site=http://down.example\n");
        file.close();
        qputenv("VERBALOOM_CONFIG", ini.toUtf8());
        dialogs = ScriptedDialogs::install();
        shell::install([this](const QString&, const QString& target) { shellOpened << target; });
        server.answer("/a/cat.vbd", "cat document");
    }

    void init() {
        server.answer("/softinfo/article.htm", list());
        window = std::make_unique<TfrmEngOnlineData>();
        window->setArticleOpener([this](const QString& title, const QString& address) {
            openedArticles.append({title, address});
        });
        dialogs->messages.clear();
        openedArticles.clear();
        shellOpened.clear();
    }

    void pollLoadsOnceOnline() {
        QVERIFY(window->Timer1->isActive());
        window->isOnline = [] { return false; };
        window->Timer1Timer();
        QVERIFY(window->Timer1->isActive());
        QCOMPARE(window->Listfenlei->count(), 0);

        window->isOnline = [] { return true; };
        window->Timer1Timer();
        QVERIFY(!window->Timer1->isActive());
        QVERIFY(!window->isVisible());
        QCOMPARE(
            texts(window->Listfenlei),
            (QStringList{QStringLiteral("初级读物"), QStringLiteral("中级 读物"), QStringLiteral("空类")}));
        QCOMPARE(window->Listfenlei->currentRow(), 0);
        QCOMPARE(texts(window->Listwenzhang),
                 (QStringList{QStringLiteral("小猫"), QStringLiteral("下雨天")}));
        QCOMPARE(texts(window->Listwenzhangurl).value(1), server.url(QStringLiteral("/a/rain.vbd")));
    }

    void failedReloadKeepsTheLists() {
        window->LoadArticleList();
        server.answer("/softinfo/article.htm", "down", 500);
        window->suiButton1->click();
        QCOMPARE(dialogs->messages,
                 QStringList{QStringLiteral("在线英语阅读材料载入错误，请刷新重试或检查网络连接！")});
        QCOMPARE(window->Listfenlei->count(), 3);
        QCOMPARE(window->Listwenzhang->count(), 2);
    }

    void listWithoutCategories() {
        server.answer("/softinfo/article.htm", "");
        window->LoadArticleList();
        QCOMPARE(window->Listfenlei->count(), 0);
        QCOMPARE(window->Listwenzhang->count(), 0);
        QVERIFY(dialogs->messages.isEmpty());
    }

    void categoryClickFollowsTheFileOnDisk() {
        window->LoadArticleList();
        window->Listfenlei->setCurrentRow(2); // a category without keys
        QCOMPARE(window->Listwenzhang->count(), 0);
        window->ListwenzhangDblClick();
        QVERIFY(openedArticles.isEmpty());

        QFile file(TfrmEngOnlineData::listPath());
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(ansi::encode(QStringLiteral("[初级读物]\r\n替换后=http://x/1\r\n")));
        file.close();
        window->Listfenlei->setCurrentRow(0);
        QCOMPARE(texts(window->Listwenzhang), QStringList{QStringLiteral("替换后")});
        QFile::remove(TfrmEngOnlineData::listPath());
        window->Listfenlei->setCurrentRow(1);
        QCOMPARE(window->Listwenzhang->count(), 0);
    }

    void openingAnArticle() {
        window->LoadArticleList();
        window->show();
        window->Listwenzhang->setCurrentRow(0);
        window->ListwenzhangDblClick();
        QVERIFY(!window->isVisible());
        QCOMPARE(openedArticles.size(), 1);
        QCOMPARE(openedArticles.first().first, QStringLiteral("小猫"));
        QCOMPARE(openedArticles.first().second, server.url(QStringLiteral("/a/cat.vbd")));
        QFile current(env.path(QStringLiteral("curwz.vbd")));
        QVERIFY(current.open(QIODevice::ReadOnly));
        QCOMPARE(current.readAll(), QByteArray("cat document"));
    }

    void failedArticleShowsTheWindowAgain_data() {
        QTest::addColumn<int>("category");
        QTest::addColumn<int>("article");
        QTest::newRow("not on the server") << 0 << 1;
        QTest::newRow("empty address") << 1 << 0;
    }

    void failedArticleShowsTheWindowAgain() {
        QFETCH(int, category);
        QFETCH(int, article);
        window->LoadArticleList();
        window->Listfenlei->setCurrentRow(category);
        window->Listwenzhang->setCurrentRow(article);
        window->ListwenzhangDblClick();
        QVERIFY(openedArticles.isEmpty());
        QCOMPARE(dialogs->messages, QStringList{QStringLiteral("选定文章载入错误，请重试或检查网络连接！")});
        QVERIFY(window->isVisible());
    }

    void searchCarriesTheCategoryUnchanged() {
        window->N1->trigger();
        QVERIFY(shellOpened.isEmpty()); // no category yet
        window->LoadArticleList();
        window->Listfenlei->setCurrentRow(1);
        window->N1->trigger();
        QCOMPARE(shellOpened, QStringList{QStringLiteral("http://down.example/search.asp?word=中级 读物")});
    }
};

QTEST_MAIN(TestResources)
#include "tst_resources.moc"
