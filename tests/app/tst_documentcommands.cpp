#include "app/ProgramBlock.h"
#include "app/TfmMain.h"
#include "documents/DocumentCommands.h"
#include "documents/ReadingDocument.h"
#include "platform/AnsiCodec.h"
#include "platform/SettingsStore.h"
#include "support/TestSupport.h"

#include <QFile>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>

#include <memory>

namespace {

const QString kBase = QStringLiteral("蓝岸英语阅读器 2012 Build 0320");

QByteArray readAll(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

} // namespace

class DocumentCommandsTest : public QObject {
    Q_OBJECT
    TestEnvironment env;
    std::shared_ptr<ScriptedDialogs> dialogs;

    QString writeDoc(const QString& name, const ReadingDocument& d) {
        const QString path = env.path(name);
        WriteDocumentFile(path, d);
        return path;
    }

private slots:
    void init() { dialogs = ScriptedDialogs::install(); }

    void startWithDocumentOnCommandLine() {
        const QString path = writeDoc(QStringLiteral("lesson one.vbd"),
                                      {QStringLiteral("Hello"), QStringLiteral("你好"), QStringLiteral("n"), {}, {}});
        TfmMain w({path, QStringLiteral("ignored second argument")});
        QCOMPARE(w.MemMain->toPlainText(), QStringLiteral("Hello"));
        QCOMPARE(w.Memo2->toPlainText(), QStringLiteral("你好"));
        QCOMPARE(w.windowTitle(), kBase + QStringLiteral("   lesson one.vbd"));
        // Opened from the command line, yet Save asks for a name, starting in its folder.
        QVERIFY(w.documents->CurrentFileName.isEmpty());
        w.N15->trigger();
        QCOMPARE(dialogs->fileRequests.size(), 1);
        QCOMPARE(dialogs->fileRequests[0].initialDir + QLatin1Char('/'), env.programFolder());
        QVERIFY(!w.Memo2->isVisible() && !w.Memo2->isVisibleTo(w.TabSheet1));
    }

    void startWithMissingFileShowsNothing() {
        TfmMain w({env.path(QStringLiteral("nowhere.vbd"))});
        QVERIFY(w.MemMain->toPlainText().isEmpty());
        QCOMPARE(w.windowTitle(), kBase);
        QVERIFY(dialogs->messages.isEmpty());
    }

    void leftoversOfEarlierRunAreDeleted() {
        for (const char* name : {"info.dat", "article.dat", "curwz.vbd"})
            QVERIFY(QFile(env.path(QLatin1String(name))).open(QIODevice::WriteOnly));
        TfmMain w({});
        for (const char* name : {"info.dat", "article.dat", "curwz.vbd"})
            QVERIFY2(!QFile::exists(env.path(QLatin1String(name))), name);
    }

    void newSaveAndSaveAs() {
        TfmMain w({});
        w.MemMain->setPlainText(QStringLiteral("draft"));
        w.N13->trigger();
        QVERIFY(w.MemMain->toPlainText().isEmpty());
        QCOMPARE(w.windowTitle(), kBase + QStringLiteral("  "));

        // A new document saved as it is: five lines of 16 digits.
        const QString first = env.path(QStringLiteral("first.vbd"));
        dialogs->answerFile(first);
        w.N15->trigger();
        QCOMPARE(readAll(first).size(), 5 * 18);
        QCOMPARE(w.windowTitle(), kBase + QStringLiteral("   first.vbd"));
        QVERIFY(dialogs->fileRequests.last().overwritePrompt);

        // Save as writes a copy; a later Save still writes the current file, without asking.
        w.MemMain->setPlainText(QStringLiteral("version two"));
        const QString copy = env.path(QStringLiteral("copy.vbd"));
        dialogs->answerFile(copy);
        w.N17->trigger();
        QCOMPARE(ReadDocumentFile(copy).left, QStringLiteral("version two"));
        QCOMPARE(w.windowTitle(), kBase + QStringLiteral("   first.vbd"));
        w.MemMain->setPlainText(QStringLiteral("version three"));
        const auto asked = dialogs->fileRequests.size();
        w.N15->trigger();
        QCOMPARE(dialogs->fileRequests.size(), asked);
        QCOMPARE(ReadDocumentFile(first).left, QStringLiteral("version three"));
        QCOMPARE(ReadDocumentFile(copy).left, QStringLiteral("version two"));
    }

    void cancelledDialogsChangeNothing() {
        TfmMain w({});
        w.MemMain->setPlainText(QStringLiteral("keep"));
        dialogs->cancelNext();
        w.N15->trigger();
        dialogs->cancelNext();
        w.N14->trigger();
        QCOMPARE(w.MemMain->toPlainText(), QStringLiteral("keep"));
        QCOMPARE(w.windowTitle(), kBase);
        QVERIFY(dialogs->messages.isEmpty());
    }

    void failedSaveShowsErrorAndKeepsState() {
        TfmMain w({});
        dialogs->answerFile(env.path(QStringLiteral("missing/folder/x.vbd")));
        w.N15->trigger();
        QCOMPARE(dialogs->messages.size(), 1);
        QVERIFY(w.documents->CurrentFileName.isEmpty());
        QCOMPARE(w.windowTitle(), kBase);
    }

    void readButtonFollowsTheAudioFields_data() {
        QTest::addColumn<QString>("audioUrl");
        QTest::addColumn<bool>("existingFile");
        QTest::addColumn<QString>("fileField");
        QTest::addColumn<bool>("human");
        QTest::newRow("nothing") << QString() << false << QString() << false;
        QTest::newRow("blank address") << QStringLiteral("   ") << false << QString() << false;
        QTest::newRow("any address") << QStringLiteral("not even a url") << false << QString() << true;
        QTest::newRow("existing file") << QString() << true << QString() << true;
        QTest::newRow("missing file") << QString() << false << QStringLiteral("/no/such.mp3") << false;
    }
    void readButtonFollowsTheAudioFields() {
        QFETCH(QString, audioUrl);
        QFETCH(bool, existingFile);
        QFETCH(QString, fileField);
        QFETCH(bool, human);
        if (existingFile) {
            fileField = env.path(QStringLiteral("voice.mp3"));
            QVERIFY(QFile(fileField).open(QIODevice::WriteOnly));
        }
        const QString path = writeDoc(QStringLiteral("audio.vbd"), {QStringLiteral("t"), {}, {}, audioUrl, fileField});
        TfmMain w({});
        w.documents->OpenDocument(path);
        QCOMPARE(w.BtnRead->text(), human ? kReadHuman : kReadTts);
        QCOMPARE(w.BtnRead->palette().color(QPalette::ButtonText), human ? QColor(255, 0, 0) : QColor(0, 0, 0));
        w.N13->trigger();
        QCOMPARE(w.BtnRead->text(), kReadTts);
    }

    void onlineArticleNeverOverwritesTheEarlierDocument() {
        TfmMain w({});
        const QString mine = writeDoc(QStringLiteral("mine.vbd"), {QStringLiteral("my own text"), {}, {}, {}, {}});
        w.documents->OpenDocument(mine);
        writeDoc(QStringLiteral("curwz.vbd"), {QStringLiteral("article text"), {}, {}, {}, {}});
        w.documents->OpenCurrentArticle(QStringLiteral("第一课"), QStringLiteral("http://127.0.0.1/a.vbd"));
        QCOMPARE(w.windowTitle(), kBase + QStringLiteral("   第一课"));
        QCOMPARE(w.MemMain->toPlainText(), QStringLiteral("article text"));
        dialogs->cancelNext();
        w.N15->trigger();
        QCOMPARE(ReadDocumentFile(mine).left, QStringLiteral("my own text"));
        QCOMPARE(dialogs->fileRequests.size(), 1);
    }

    void exportAsText() {
        TfmMain w({});
        const QString doc = writeDoc(QStringLiteral("story.v1.vbd"),
                                     {QStringLiteral("Left\nends with break\n"), {}, {}, {}, {}});
        w.documents->OpenDocument(doc);
        const QString out = env.path(QStringLiteral("story.txt"));
        dialogs->answerFile(out);
        w.XT2->trigger();
        const FileDialogRequest& asked = dialogs->fileRequests.last();
        QCOMPARE(asked.fileName, QStringLiteral("story.v1"));
        QCOMPARE(asked.filter, QStringLiteral("文本文件(*.TXT)|*.TXT|所有文件(*.*)|*.*"));
        const QString text = ansi::decode(readAll(out));
        const QString sep(65, QLatin1Char('='));
        QVERIFY(text.startsWith(QStringLiteral("Left\r\nends with break\r\n\r\n") + sep + QStringLiteral("\r\n本文件由[蓝岸英语阅读器]生成，下载地址：")));
        // Empty right text and notes: the second separator, then one empty line.
        QVERIFY(text.endsWith(sep + QStringLiteral("\r\n\r\n")));
    }

    void stripExtension_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("stripped");
        QTest::newRow("plain") << QStringLiteral("a.vbd") << QStringLiteral("a");
        QTest::newRow("two dots") << QStringLiteral("a.b.vbd") << QStringLiteral("a.b");
        QTest::newRow("leading dot only") << QStringLiteral(".vbd") << QStringLiteral(".vbd");
        QTest::newRow("no dot") << QStringLiteral("name") << QStringLiteral("name");
    }
    void stripExtension() {
        QFETCH(QString, name);
        QFETCH(QString, stripped);
        QCOMPARE(StripExtension(name), stripped);
    }

    void pendingUpdate() {
        const QString installer = PrepareStagedInstallerPath();
        QVERIFY(QFileInfo(env.path(QStringLiteral("update"))).isDir());
        QVERIFY(!UpdatePending(installer));
        settings::WriteUpdateFlag(1);
        QVERIFY(!UpdatePending(installer)); // flag without a staged file: start normally
        QVERIFY(QFile(installer).open(QIODevice::WriteOnly));
        QVERIFY(UpdatePending(installer));
        settings::WriteUpdateFlag(2);
        QVERIFY(!UpdatePending(installer));
    }
};

QTEST_MAIN(DocumentCommandsTest)
#include "tst_documentcommands.moc"
