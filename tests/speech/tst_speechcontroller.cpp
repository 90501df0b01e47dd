#include "platform/ErrorGuard.h"
#include "platform/speech/SpeechEngine.h"
#include "platform/speech/WaveFileStream.h"
#include "speech/SpeechController.h"
#include "speech/SpeechExport.h"
#include "support/TestSupport.h"

#include <QAction>
#include <QComboBox>
#include <QFile>
#include <QPlainTextEdit>
#include <QTextCursor>
#include <QToolButton>
#include <QWidget>
#include <QtTest>

// Records every call, in order.
class FakeEngine final : public SpeechEngine {
public:
    QStringList names{QStringLiteral("English (America)"), QStringLiteral("German")};
    QStringList calls;
    int rate_ = 0, volume_ = 100, voice_ = -1;
    WaveFileStream* output = nullptr;

    QStringList voices() override { return names; }
    void setVoice(int index) override {
        voice_ = index;
        calls << QStringLiteral("voice %1").arg(index);
    }
    int voice() override { return voice_; }
    void speak(const QString& text, int flags) override {
        calls << QStringLiteral("speak %1 [%2]").arg(flags).arg(text);
        if (output && !text.isEmpty()) {
            const std::int16_t samples[100] = {};
            output->write(samples, 100, 16000);
        }
    }
    void pause() override { calls << QStringLiteral("pause"); }
    void resume() override { calls << QStringLiteral("resume"); }
    int rate() override { return rate_; }
    void setRate(int r) override { rate_ = r; }
    int volume() override { return volume_; }
    void setVolume(int v) override { volume_ = v; }
    void setOutput(WaveFileStream* stream) override {
        output = stream;
        calls << (stream ? QStringLiteral("to file") : QStringLiteral("to speakers"));
    }
    bool waitUntilDone(int) override { return true; }
    double progress() override { return 1.0; }
    void release() override {
        calls << QStringLiteral("release");
        rate_ = 0, volume_ = 100, voice_ = -1;
    }
};

class SpeechControllerTest : public QObject {
    Q_OBJECT
    TestEnvironment env;
    std::unique_ptr<QWidget> window;
    QPlainTextEdit* left = nullptr;
    QComboBox* box = nullptr;
    QAction *menuPause = nullptr, *contextPause = nullptr, *readSelection = nullptr, *readContext = nullptr;
    QToolButton* toolPause = nullptr;
    std::unique_ptr<FakeEngine> engine;
    std::unique_ptr<SpeechController> controller;

    QList<bool> toggles() const {
        return {menuPause->isChecked(), toolPause->isChecked(), contextPause->isChecked()};
    }
    void select(int from, int to) {
        QTextCursor cursor = left->textCursor();
        cursor.setPosition(from);
        cursor.setPosition(to, QTextCursor::KeepAnchor);
        left->setTextCursor(cursor);
    }

private slots:
    void init() {
        window = std::make_unique<QWidget>();
        left = new QPlainTextEdit(window.get());
        box = new QComboBox(window.get());
        toolPause = new QToolButton(window.get());
        toolPause->setCheckable(true);
        menuPause = new QAction(window.get());
        contextPause = new QAction(window.get());
        menuPause->setCheckable(true);
        contextPause->setCheckable(true);
        readSelection = new QAction(window.get());
        readContext = new QAction(QStringLiteral("朗读"), window.get());
        engine = std::make_unique<FakeEngine>();
        controller =
            std::make_unique<SpeechController>(SpeechView{*window, *left, *box, *menuPause, *toolPause,
                                                          *contextPause, *readSelection, *readContext},
                                               *engine);
    }

    void voicesFilledAndFirstApplied() {
        controller->InitVoices();
        QCOMPARE(box->count(), 2);
        QCOMPARE(box->currentIndex(), 0);
        QCOMPARE(engine->calls, QStringList{QStringLiteral("voice 0")});
        box->setCurrentIndex(1);
        controller->suitempcmbEnginesChange();
        QCOMPARE(engine->voice_, 1);

        engine->names.clear();
        engine->calls.clear();
        controller->InitVoices();
        QCOMPARE(box->count(), 0);
        QVERIFY(engine->calls.isEmpty()); // nothing to apply
    }

    void readSpeaksWholeTextWithCrLfAndPurges() {
        left->setPlainText(QStringLiteral("  One.\nTwo. \n"));
        controller->N20Click();
        controller->N20Click();
        const QString spoken = QStringLiteral("speak 3 [  One.\r\nTwo. \r\n]");
        QCOMPARE(engine->calls, (QStringList{spoken, spoken}));
    }

    void readSelectionTrimsBlanksAndControls() {
        left->setPlainText(QStringLiteral("\t Hello\nworld \n next"));
        select(0, 16);
        controller->N11Click();
        select(0, 0);
        controller->N11Click();
        QCOMPARE(engine->calls,
                 (QStringList{QStringLiteral("speak 3 [Hello\r\nworld]"), QStringLiteral("speak 3 []")}));
    }

    void pauseTogglesStayEqual() {
        menuPause->setChecked(true);
        controller->N27Click();
        QCOMPARE(toggles(), (QList<bool>{true, true, true}));
        toolPause->setChecked(false);
        controller->ToolButton5Click();
        QCOMPARE(toggles(), (QList<bool>{false, false, false}));
        contextPause->setChecked(true);
        controller->N7Click();
        QCOMPARE(toggles(), (QList<bool>{true, true, true}));
        QCOMPARE(engine->calls,
                 (QStringList{QStringLiteral("pause"), QStringLiteral("resume"), QStringLiteral("pause")}));
    }

    void stopWhilePausedResumesThenPurges() {
        toolPause->setChecked(true);
        controller->ToolButton5Click();
        engine->calls.clear();
        controller->N28Click();
        QCOMPARE(toggles(), (QList<bool>{false, false, false}));
        QCOMPARE(engine->calls, (QStringList{QStringLiteral("resume"), QStringLiteral("speak 2 []")}));
        engine->calls.clear();
        controller->N28Click();
        QCOMPARE(engine->calls, QStringList{QStringLiteral("speak 2 []")});
    }

    void rateAndVolumeSteps_data() {
        QTest::addColumn<int>("start");
        QTest::addColumn<QString>("command");
        QTest::addColumn<int>("expected");
        QTest::newRow("faster") << 0 << "rate+" << 1;
        QTest::newRow("faster at 10") << 10 << "rate+" << 10;
        QTest::newRow("slower") << 0 << "rate-" << -1;
        QTest::newRow("slower at -10") << -10 << "rate-" << -10;
        QTest::newRow("louder") << 50 << "volume+" << 51;
        QTest::newRow("louder at 100") << 100 << "volume+" << 100;
        QTest::newRow("softer") << 50 << "volume-" << 49;
        QTest::newRow("softer at 0") << 0 << "volume-" << 0;
    }
    void rateAndVolumeSteps() {
        QFETCH(int, start);
        QFETCH(QString, command);
        QFETCH(int, expected);
        const bool isRate = command.startsWith(QLatin1String("rate"));
        (isRate ? engine->rate_ : engine->volume_) = start;
        if (command == QLatin1String("rate+"))
            controller->N81Click();
        else if (command == QLatin1String("rate-"))
            controller->N82Click();
        else if (command == QLatin1String("volume+"))
            controller->N83Click();
        else
            controller->N84Click();
        QCOMPARE(isRate ? engine->rate_ : engine->volume_, expected);
    }

    void popupShowsReadSelectionOnlyWithSelection() {
        left->setPlainText(QStringLiteral("word"));
        select(0, 1);
        controller->PopupMenu1Popup();
        QVERIFY(readSelection->isVisible());
        QCOMPARE(readContext->text(), QStringLiteral("朗读全部"));
        select(2, 2);
        controller->PopupMenu1Popup();
        QVERIFY(!readSelection->isVisible());
        QCOMPARE(readContext->text(), QStringLiteral("朗读"));
    }

    void exportWritesWaveReplacesFileAndKeepsSettings() {
        auto dialogs = ScriptedDialogs::install();
        const QString path = env.path(QStringLiteral("out.wav"));
        QFile old(path);
        QVERIFY(old.open(QIODevice::WriteOnly));
        old.write(QByteArray(5000, 'x'));
        old.close();

        controller->InitVoices();
        engine->rate_ = 4;
        menuPause->setChecked(true);
        controller->N27Click();
        engine->calls.clear();
        left->setPlainText(QStringLiteral("Hello"));
        dialogs->answerFile(path);
        controller->N57Click();

        QCOMPARE(dialogs->fileRequests.at(0).filter, QStringLiteral("Wave files(*.wav)|*.wav"));
        QVERIFY(!dialogs->fileRequests.at(0).overwritePrompt);
        QCOMPARE(dialogs->messages, QStringList{kExportDone + path});
        QCOMPARE(engine->calls, (QStringList{QStringLiteral("speak 2 []"), QStringLiteral("to file"),
                                             QStringLiteral("speak 1 [Hello]"), QStringLiteral("to speakers"),
                                             QStringLiteral("release"), QStringLiteral("voice 0"),
                                             QStringLiteral("pause")}));
        QCOMPARE(engine->rate_, 4);
        QCOMPARE(toggles(), (QList<bool>{true, true, true}));
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray bytes = file.readAll();
        QCOMPARE(bytes.left(4), QByteArray("RIFF"));
        QVERIFY(bytes.size() > 44 && bytes.size() < 5000);

        // Cancelling the dialog does nothing.
        engine->calls.clear();
        controller->N57Click();
        QVERIFY(engine->calls.isEmpty());
    }

    void emptyTextGivesWaveWithoutSamples() {
        const QString path = env.path(QStringLiteral("empty.wav"));
        QVERIFY(ExportSpeech(*engine, QString(), path));
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray bytes = file.readAll();
        QCOMPARE(bytes.size(), 44);
        QCOMPARE(bytes.mid(8, 8), QByteArray("WAVEfmt "));
        QCOMPARE(qFromLittleEndian<quint32>(bytes.constData() + 24), 32000u);
        QCOMPARE(qFromLittleEndian<quint16>(bytes.constData() + 34), quint16(8));
        QCOMPARE(qFromLittleEndian<quint32>(bytes.constData() + 40), 0u);
    }

    void exportToUnwritableFolderFailsWithoutMessage() {
        auto dialogs = ScriptedDialogs::install();
        dialogs->answerFile(env.path(QStringLiteral("missing/folder/out.wav")));
        QVERIFY_THROWS_EXCEPTION(UserError, controller->N57Click());
        QVERIFY(dialogs->messages.isEmpty());
    }
};

QTEST_MAIN(SpeechControllerTest)
#include "tst_speechcontroller.moc"
