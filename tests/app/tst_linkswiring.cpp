#include "app/ReaderWindows.h"
#include "app/TfmMain.h"
#include "online/LoopbackPages.h"
#include "online/lookup/TfrmSearch.h"

#include "platform/SettingsStore.h"
#include "platform/Shell.h"
#include "support/TestSupport.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QSettings>
#include <QTest>

// The main window's controls reach the right command.
class LinksWiringTest : public QObject {
    Q_OBJECT
    TestEnvironment env;
    LoopbackPages pages;
    std::shared_ptr<ScriptedDialogs> dialogs;
    QStringList opened;

    // Acts on the control as a user would: a click for buttons and links, the action otherwise.
    static void use(TfmMain& w, const QString& name) {
        QObject* control = w.findChild<QObject*>(name);
        QVERIFY2(control, qPrintable(name));
        if (auto* action = qobject_cast<QAction*>(control))
            action->trigger();
        else if (auto* button = qobject_cast<QAbstractButton*>(control))
            button->click();
        else if (auto* label = qobject_cast<QLabel*>(control))
            QTest::mouseClick(label, Qt::LeftButton);
    }

    static bool webEngineLoaded() {
        QFile maps(QStringLiteral("/proc/self/maps"));
        return maps.open(QIODevice::ReadOnly) && maps.readAll().contains("libQt6WebEngineCore");
    }

private slots:
    void initTestCase() {
        const QString ini = env.root() + QLatin1String("/verbaloom.ini");
        {
            QSettings config(ini, QSettings::IniFormat);
            config.setValue(QStringLiteral("hosts/maker_web_site"), QStringLiteral("http://127.0.0.1:8001/"));
            config.setValue(QStringLiteral("hosts/download_site"), QStringLiteral("http://127.0.0.1:8002"));
            config.setValue(QStringLiteral("contact/support_mail"), QStringLiteral("help@example.test"));
            for (const char* name : {"haici", "iciba", "baidu", "youdao", "bing"})
                config.setValue(QStringLiteral("hosts/dict_") + QLatin1String(name),
                                pages.base() + QLatin1Char('/') + QLatin1String(name));
        }
        qputenv("VERBALOOM_CONFIG", ini.toUtf8());
        shell::install([this](const QString&, const QString& target) { opened << target; });
    }

    void init() {
        dialogs = ScriptedDialogs::install();
        opened.clear();
    }

    void cleanupTestCase() { shell::install({}); }

    void controlsOpenTheirTarget_data() {
        QTest::addColumn<QStringList>("controls");
        QTest::addColumn<QString>("target");
        QTest::newRow("help") << QStringList{QStringLiteral("N29"), QStringLiteral("ToolButtonHelp")}
                              << env.programFolder() + QStringLiteral("Readme.htm");
        QTest::newRow("maker site") << QStringList{QStringLiteral("N30"), QStringLiteral("ToolButtonSite"),
                                                   QStringLiteral("Label3")}
                                    << QStringLiteral("http://127.0.0.1:8001/");
        QTest::newRow("material list") << QStringList{QStringLiteral("Label7")}
                                       << QStringLiteral("http://127.0.0.1:8002/soft/html/list190-1.html");
        QTest::newRow("support mail") << QStringList{QStringLiteral("N31"), QStringLiteral("LabelFeedback")}
                                      << QStringLiteral("mailto:help@example.test");
        QTest::newRow("recommend mail")
            << QStringList{QStringLiteral("N1")}
            << QStringLiteral("mailto:?subject=推荐一款英语阅读软件[蓝岸英语阅读器]&Body="
                              "你好！给你推荐一款很好用的英语阅读软件[蓝岸英语阅读器]，"
                              "下载地址：http://127.0.0.1:8001/");
    }

    void controlsOpenTheirTarget() {
        QFETCH(QStringList, controls);
        QFETCH(QString, target);
        TfmMain w({});
        for (const QString& control : controls)
            use(w, control);
        QCOMPARE(opened, QStringList(controls.size(), target));
    }

    void clipboardItemsTellTheUser() {
        TfmMain w({});
        use(w, QStringLiteral("QQ1"));
        use(w, QStringLiteral("QQ2"));
        QCOMPARE(dialogs->messages.size(), 2);
        QVERIFY(dialogs->messages[0].startsWith(QStringLiteral("QQ号码 ")));
    }

    void materialSearchByButtonAndEnter() {
        TfmMain w({});
        w.Edit3->setText(QStringLiteral(" 英语 阅读 "));
        use(w, QStringLiteral("BtnSearch"));
        QTest::keyClick(w.Edit3, Qt::Key_Return);
        const QString page = QStringLiteral("http://127.0.0.1:8002/search.asp?word=英语 阅读");
        QCOMPARE(opened, (QStringList{page, page}));
    }

    void externalDictionaryEntries() {
        QFile program(env.path(QStringLiteral("mydict")));
        QVERIFY(program.open(QIODevice::WriteOnly));
        program.close();
        program.setPermissions(program.permissions() | QFileDevice::ExeOwner);

        TfmMain w({});
        dialogs->answerFile(program.fileName());
        use(w, QStringLiteral("BtnDict"));
        use(w, QStringLiteral("PopDictRun"));
        use(w, QStringLiteral("N61"));
        QCOMPARE(opened, QStringList(3, program.fileName()));
        QCOMPARE(dialogs->fileRequests.size(), 1);
        QCOMPARE(w.ExternalDictionaryPath, program.fileName());
        QCOMPARE(settings::LoadExternalDictionaryPath(), program.fileName());

        use(w, QStringLiteral("PopDictSet"));
        use(w, QStringLiteral("N63"));
        QCOMPARE(dialogs->fileRequests.size(), 3);
        QCOMPARE(opened.size(), 3);
        QCOMPARE(w.ExternalDictionaryPath, program.fileName());
    }

    void ctrlFLooksUpTheSelection() {
        ReaderWindows windows({});
        TfmMain& w = windows.main();
        auto* search = qobject_cast<TfrmSearch*>(&windows.search());
        QVERIFY(search);
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        // The web engine is loaded when the look-up window first needs it, not at start-up.
        QVERIFY(!webEngineLoaded());
        w.MemMain->setPlainText(QStringLiteral("read the  word list"));
        QTextCursor cursor = w.MemMain->textCursor();
        cursor.setPosition(8);
        cursor.setPosition(15, QTextCursor::KeepAnchor);
        w.MemMain->setTextCursor(cursor);
        QApplication::setActiveWindow(&w);
        w.MemMain->setFocus();
        QTest::keyClick(w.MemMain, Qt::Key_F, Qt::ControlModifier);

        QTRY_VERIFY(search->isVisible());
        QVERIFY(webEngineLoaded());
        QCOMPARE(search->edt_word->text(), QStringLiteral("word"));
        for (const char* request :
             {"/haici/word", "/iciba/word", "/baidu/s?wd=word", "/youdao/search?q=word", "/bing/"})
            QTRY_VERIFY2(pages.received.contains(QLatin1String(request)), request);

        // The menu item and the button only show the window again.
        search->hide();
        pages.received.clear();
        use(w, QStringLiteral("BtnLookup"));
        QVERIFY(search->isVisible());
        search->hide();
        use(w, QStringLiteral("N62"));
        QVERIFY(search->isVisible());
        QTest::qWait(200);
        QVERIFY(pages.received.isEmpty());
        QCOMPARE(search->edt_word->text(), QStringLiteral("word"));
    }
};

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    LinksWiringTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_linkswiring.moc"
