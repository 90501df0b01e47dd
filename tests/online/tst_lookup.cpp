#include "online/lookup/LookupAddresses.h"
#include "online/lookup/TfrmSearch.h"

#include "online/LoopbackPages.h"
#include "support/TestSupport.h"

#include <QApplication>
#include <QCheckBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSettings>
#include <QSignalSpy>
#include <QTabWidget>
#include <QTcpServer>
#include <QTest>
#include <QWebEngineView>

#include <memory>

namespace {

const QString kBlank = QStringLiteral("about:blank");

} // namespace

// The look-up window's views are the web engine's own, made by the web view module.
static QWebEngineView* engineView(QWidget* view) {
    return qobject_cast<QWebEngineView*>(view);
}

class TestLookup : public QObject {
    Q_OBJECT

    std::unique_ptr<TestEnvironment> env;
    std::unique_ptr<LoopbackPages> server;
    std::unique_ptr<TfrmSearch> window;
    QString ini;

    void configureHosts(const QString& haiciHost = {}) {
        QSettings config(ini, QSettings::IniFormat);
        for (const lookup::Service& service : lookup::services())
            config.setValue(service.hostKey, server->base() + QLatin1Char('/') + service.name);
        if (!haiciHost.isEmpty())
            config.setValue(QStringLiteral("hosts/dict_haici"), haiciHost);
    }

    void setChecked(const QString& mask) {
        const auto boxes = window->checkBoxes();
        for (std::size_t i = 0; i < boxes.size(); ++i)
            boxes[i]->setChecked(mask[qsizetype(i)] == u'1');
    }

    // Waits until every checked ('1') service's server part was asked for and every view shows
    // its address, the blank page for unchecked ('0') ones; '-' skips a service.
    void expectPages(const QString& word, const QString& mask) {
        const auto views = window->webViews();
        for (std::size_t i = 0; i < views.size(); ++i) {
            const lookup::Service& service = lookup::services()[i];
            if (mask[qsizetype(i)] == u'-')
                continue;
            if (mask[qsizetype(i)] != u'1') {
                QTRY_COMPARE(engineView(views[i])->url(), QUrl(kBlank));
                continue;
            }
            const QUrl expected = lookup::toEngineUrl(lookup::address(service, word));
            QTRY_COMPARE(engineView(views[i])->url(), expected);
            // A new fragment on the page already shown is no new request.
            if (service.place == lookup::WordPlace::Fragment)
                continue;
            const QString request = expected.toString(QUrl::FullyEncoded | QUrl::RemoveScheme |
                                                      QUrl::RemoveAuthority | QUrl::RemoveFragment);
            QTRY_VERIFY2(server->received.contains(request), qPrintable(request));
        }
    }

private slots:
    void initTestCase() {
        env = std::make_unique<TestEnvironment>();
        server = std::make_unique<LoopbackPages>();
        ini = env->root() + QLatin1String("/verbaloom.ini");
        qputenv("VERBALOOM_CONFIG", ini.toUtf8());
        configureHosts();
        window = std::make_unique<TfrmSearch>();
    }

    void init() {
        configureHosts();
        setChecked(QStringLiteral("11111"));
        server->received.clear();
    }

    void createdWithoutWebViews() {
        QCOMPARE(window->windowTitle(), QStringLiteral("在线查词"));
        const QStringList captions = {QStringLiteral("海词"), QStringLiteral("爱词霸"),
                                      QStringLiteral("百度词典"), QStringLiteral("有道词典"),
                                      QStringLiteral("必应词典")};
        for (int i = 0; i < 5; ++i) {
            QCOMPARE(window->checkBoxes()[std::size_t(i)]->text(), captions[i]);
            QVERIFY(window->checkBoxes()[std::size_t(i)]->isChecked());
            QCOMPARE(window->PageControl1->tabText(i), captions[i]);
        }
        QCOMPARE(window->PageControl1->tabText(window->PageControl1->currentIndex()),
                 QStringLiteral("百度词典"));
        QVERIFY(window->findChildren<QWebEngineView*>().isEmpty());

        window->ShowWindow();
        QVERIFY(window->isVisible());
        QCOMPARE(window->findChildren<QWebEngineView*>().size(), 5);
        for (QWidget* view : window->webViews())
            QVERIFY(engineView(view) && engineView(view)->url().isEmpty());
    }

    // What the service's server is asked for, for words that would break a naive address.
    void wordReachesServices_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("word");
        QTest::addColumn<QStringList>("requests"); // haici, baidu; the others follow the same form
        QTest::newRow("spaces") << QStringLiteral("  hello world \t") << QStringLiteral("hello world")
                                << QStringList{QStringLiteral("/haici/hello%20world"),
                                               QStringLiteral("/baidu/s?wd=hello%20world")};
        QTest::newRow("chinese") << QStringLiteral("中文") << QStringLiteral("中文")
                                 << QStringList{QStringLiteral("/haici/%E4%B8%AD%E6%96%87"),
                                                QStringLiteral("/baidu/s?wd=%E4%B8%AD%E6%96%87")};
        QTest::newRow("delimiters") << QStringLiteral("a&b#c?d/e+f%") << QStringLiteral("a&b#c?d/e+f%")
                                    << QStringList{QStringLiteral("/haici/a%26b%23c%3Fd%2Fe%2Bf%25"),
                                                   QStringLiteral("/baidu/s?wd=a%26b%23c?d/e%2Bf%25")};
    }

    void wordReachesServices() {
        QFETCH(QString, typed);
        QFETCH(QString, word);
        QFETCH(QStringList, requests);
        window->edt_word->setText(typed);
        window->BtnSearch->click();
        QCOMPARE(window->edt_word->text(), word);
        QCOMPARE(window->PageControl1->currentIndex(), 2);
        expectPages(word, QStringLiteral("11111"));
        if (QTest::currentTestFailed())
            return;
        for (const QString& request : requests)
            QVERIFY2(server->received.contains(request), qPrintable(server->received.join(u' ')));
        // The fragment never reaches the server; the page finds the word whole in its address.
        QCOMPARE(engineView(window->Web_bing)->url().fragment(QUrl::FullyDecoded), word);
    }

    void uncheckedServicesAreBlank_data() {
        QTest::addColumn<QString>("mask");
        QTest::newRow("only youdao") << QStringLiteral("00010");
        QTest::newRow("none") << QStringLiteral("00000");
        QTest::newRow("haici and bing") << QStringLiteral("10001");
    }

    void uncheckedServicesAreBlank() {
        QFETCH(QString, mask);
        window->SearchWord(QStringLiteral("before"));
        expectPages(QStringLiteral("before"), QStringLiteral("11111"));
        if (QTest::currentTestFailed())
            return;
        setChecked(mask);
        window->SearchWord(QStringLiteral("after"));
        QCOMPARE(window->edt_word->text(), QStringLiteral("after"));
        expectPages(QStringLiteral("after"), mask);
    }

    void enterEqualsButton() {
        QApplication::setActiveWindow(window.get());
        window->edt_word->clear();
        window->edt_word->setFocus();
        QTest::keyClicks(window->edt_word, QStringLiteral(" typed "));
        QTest::keyClick(window->edt_word, Qt::Key_Return);
        QCOMPARE(window->edt_word->text(), QStringLiteral("typed"));
        expectPages(QStringLiteral("typed"), QStringLiteral("11111"));
        if (QTest::currentTestFailed())
            return;

        // A blank word is never looked up: pages and box stay.
        server->received.clear();
        window->edt_word->setText(QStringLiteral("   "));
        QTest::keyClick(window->edt_word, Qt::Key_Enter);
        window->BtnSearch->click();
        QTest::qWait(300);
        QVERIFY(server->received.isEmpty());
        QCOMPARE(window->edt_word->text(), QStringLiteral("   "));
        QCOMPARE(engineView(window->Web_haici)->url(),
                 lookup::toEngineUrl(server->base() + QStringLiteral("/haici/typed")));
    }

    void selectionFromTheReader() {
        QPlainTextEdit pane;
        pane.setPlainText(QStringLiteral("  first line\nsecond  "));
        pane.selectAll();
        window->hide();
        window->LookUpText(pane.textCursor().selectedText());
        QVERIFY(window->isVisible());
        QCOMPARE(window->edt_word->text(), QStringLiteral("first line\nsecond"));
        QTRY_VERIFY(server->received.contains(QStringLiteral("/haici/first%20line%0Asecond")));

        // Nothing selected: the window is shown with its word and pages as they were.
        const QUrl shown = engineView(window->Web_youdao)->url();
        window->hide();
        window->LookUpText(QStringLiteral(" \n "));
        QVERIFY(window->isVisible());
        QCOMPARE(window->edt_word->text(), QStringLiteral("first line\nsecond"));
        QCOMPARE(engineView(window->Web_youdao)->url(), shown);
    }

    void unreachableServiceOnlyInItsTab() {
        QTcpServer closed;
        QVERIFY(closed.listen(QHostAddress::LocalHost));
        const QString deadHost = QStringLiteral("http://127.0.0.1:%1").arg(closed.serverPort());
        closed.close();
        configureHosts(deadHost);

        std::vector<std::unique_ptr<QSignalSpy>> spies;
        for (QWidget* view : window->webViews())
            spies.push_back(std::make_unique<QSignalSpy>(engineView(view), &QWebEngineView::loadFinished));
        window->SearchWord(QStringLiteral("word"));
        for (std::size_t i = 0; i < spies.size(); ++i) {
            if (lookup::services()[i].place == lookup::WordPlace::Fragment)
                continue;
            QTRY_VERIFY(!spies[i]->isEmpty());
            QCOMPARE(spies[i]->last().at(0).toBool(), i != 0);
        }
        QCOMPARE(engineView(window->Web_haici)->url(),
                 lookup::toEngineUrl(deadHost + QStringLiteral("/word")));
        expectPages(QStringLiteral("word"), QStringLiteral("-1111"));
    }
};

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    TestLookup test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_lookup.moc"
