#include "online/links/ExternalLinks.h"

#include "platform/SettingsStore.h"
#include "platform/Shell.h"
#include "support/TestSupport.h"

#include <QApplication>
#include <QClipboard>
#include <QFile>
#include <QLineEdit>
#include <QSettings>
#include <QTest>
#include <QWidget>

#include <memory>

using Command = void (ExternalLinks::*)();
Q_DECLARE_METATYPE(Command)

class TestLinks : public QObject {
    Q_OBJECT

    struct Opened {
        QString kind;
        QString target;
    };

    std::unique_ptr<TestEnvironment> env;
    std::shared_ptr<ScriptedDialogs> dialogs;
    QList<Opened> opened;
    QWidget window;
    QLineEdit edit3{&window};
    QString dictionaryPath;
    int recorderShown = 0;
    std::unique_ptr<ExternalLinks> links;

    QString program(const QString& name, bool executable) {
        const QString path = env->path(name);
        QFile file(path);
        file.open(QIODevice::WriteOnly);
        file.write("#!/bin/sh\n");
        file.close();
        if (executable)
            file.setPermissions(file.permissions() | QFileDevice::ExeOwner);
        return path;
    }

    QStringList targets() const {
        QStringList all;
        for (const Opened& o : opened)
            all << o.target;
        return all;
    }

private slots:
    void initTestCase() {
        env = std::make_unique<TestEnvironment>();
        const QString ini = env->root() + QLatin1String("/verbaloom.ini");
        {
            QSettings config(ini, QSettings::IniFormat);
            config.setValue(QStringLiteral("hosts/maker_web_site"), QStringLiteral("http://127.0.0.1:8001/"));
            config.setValue(QStringLiteral("hosts/download_site"), QStringLiteral("http://127.0.0.1:8002/"));
            config.setValue(QStringLiteral("contact/support_mail"), QStringLiteral("help@example.test"));
            config.setValue(QStringLiteral("contact/qq"), QStringLiteral("12 345-678"));
        }
        qputenv("VERBALOOM_CONFIG", ini.toUtf8());
        shell::install([this](const QString& kind, const QString& target) { opened.append({kind, target}); });
        links = std::make_unique<ExternalLinks>(ExternalLinks::View{window, edit3, dictionaryPath},
                                                [this] { ++recorderShown; });
    }

    void init() {
        dialogs = ScriptedDialogs::install();
        opened.clear();
        dictionaryPath.clear();
        settings::SaveExternalDictionaryPath(QString());
    }

    void cleanupTestCase() {
        shell::install({});
        dialogs::install({});
    }

    void firstRunAsksThenRunsAtOnce() {
        const QString glossa = program(QStringLiteral("Glossa"), true);
        dialogs->answerFile(glossa);
        links->N61Click();
        QCOMPARE(dialogs->fileRequests.size(), 1);
        QCOMPARE(dialogs->fileRequests[0].title, QStringLiteral("请选择词典路径"));
        // The suite's own dictionary beside the reader is offered first.
        QCOMPARE(dialogs->fileRequests[0].fileName, glossa);
        QCOMPARE(targets(), QStringList{glossa});
        QCOMPARE(dictionaryPath, glossa);
        QCOMPARE(settings::LoadExternalDictionaryPath(), glossa);

        links->N61Click();
        QCOMPARE(dialogs->fileRequests.size(), 1);
        QCOMPARE(targets(), (QStringList{glossa, glossa}));
    }

    void firstRunCancelledDoesNothing() {
        links->N61Click();
        QCOMPARE(dialogs->fileRequests.size(), 1);
        QVERIFY(opened.isEmpty());
        QVERIFY(dictionaryPath.isEmpty());
        QVERIFY(settings::LoadExternalDictionaryPath().isEmpty());
    }

    void chooseReplacesWithoutRunning() {
        const QString first = program(QStringLiteral("first-dict"), true);
        const QString second = program(QStringLiteral("second dict"), true);
        dialogs->answerFile(first);
        links->N63Click();
        dialogs->answerFile(second);
        links->N63Click();
        QCOMPARE(dictionaryPath, second);
        QCOMPARE(settings::LoadExternalDictionaryPath(), second);

        dialogs->cancelNext();
        links->N63Click();
        QCOMPARE(dictionaryPath, second);
        QCOMPARE(settings::LoadExternalDictionaryPath(), second);
        QVERIFY(opened.isEmpty());
    }

    void fileThatCannotRunIsRefused() {
        const QString kept = program(QStringLiteral("kept"), true);
        dialogs->answerFile(kept);
        links->N63Click();
        dialogs->answerFile(program(QStringLiteral("notes.txt"), false));
        links->N63Click();
        QCOMPARE(dialogs->messages.size(), 1);
        QCOMPARE(dictionaryPath, kept);
        QCOMPARE(settings::LoadExternalDictionaryPath(), kept);

        // Nothing stored yet: the run command starts nothing either.
        dictionaryPath.clear();
        dialogs->answerFile(env->path(QStringLiteral("missing")));
        links->N61Click();
        QVERIFY(opened.isEmpty());
        QVERIFY(dictionaryPath.isEmpty());
    }

    void commandsOpenTheirTarget_data() {
        QTest::addColumn<Command>("command");
        QTest::addColumn<QString>("target");
        const QString site = QStringLiteral("http://127.0.0.1:8001/");
        QTest::newRow("help page") << &ExternalLinks::N29Click << QString();
        QTest::newRow("maker site") << &ExternalLinks::N30Click << site;
        QTest::newRow("status maker site") << &ExternalLinks::Label3Click << site;
        QTest::newRow("material list") << &ExternalLinks::Label7Click
                                       << QStringLiteral("http://127.0.0.1:8002/soft/html/list190-1.html");
        QTest::newRow("support mail")
            << &ExternalLinks::N31Click << QStringLiteral("mailto:help@example.test");
        QTest::newRow("recommend mail")
            << &ExternalLinks::N1Click
            << QStringLiteral(
                   "mailto:?subject=推荐一款英语阅读软件[蓝岸英语阅读器]&Body=你好！给你推荐一款很好用的"
                   "英语阅读软件[蓝岸英语阅读器]，下载地址：http://127.0.0.1:8001/");
    }

    void commandsOpenTheirTarget() {
        QFETCH(Command, command);
        QFETCH(QString, target);
        if (target.isEmpty())
            target = env->programFolder() + QLatin1String("Readme.htm");
        (links.get()->*command)();
        QCOMPARE(opened.size(), 1);
        QCOMPARE(opened[0].kind, QStringLiteral("open"));
        QCOMPARE(opened[0].target, target);
        QVERIFY(dialogs->messages.isEmpty());
    }

    void materialSearch_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("target");
        const QString page = QStringLiteral("http://127.0.0.1:8002/search.asp?word=");
        QTest::newRow("only spaces") << QStringLiteral("  \t ") << QString();
        QTest::newRow("empty") << QString() << QString();
        QTest::newRow("chinese phrase")
            << QStringLiteral("  英语 阅读\t") << page + QStringLiteral("英语 阅读");
        QTest::newRow("query characters")
            << QStringLiteral("C++ & C# 100%") << page + QStringLiteral("C%2B%2B %26 C%23 100%25");
    }

    void materialSearch() {
        QFETCH(QString, typed);
        QFETCH(QString, target);
        edit3.setText(typed);
        links->BtnSearchClick();
        QCOMPARE(targets(), target.isEmpty() ? QStringList() : QStringList{target});
    }

    void clipboardCommands() {
        links->QQ1Click();
        QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("12345678"));
        links->QQ2Click();
        QCOMPARE(QGuiApplication::clipboard()->text(),
                 QStringLiteral(
                     "你好！给你推荐一款英语阅读软件[蓝岸英语阅读器]，下载地址：http://127.0.0.1:8001/"));
        QCOMPARE(dialogs->messages,
                 (QStringList{
                     QStringLiteral("QQ号码 12345678 已复制！"),
                     QStringLiteral("内容已复制，介绍给你的朋友请按Ctrl+V发到QQ或MSN好友里！贴在论坛里面也"
                                    "可以。")}));
        QVERIFY(opened.isEmpty());
    }

    void recorderHook() {
        links->N39Click();
        QCOMPARE(recorderShown, 1);
    }
};

QTEST_MAIN(TestLinks)
#include "tst_links.moc"
