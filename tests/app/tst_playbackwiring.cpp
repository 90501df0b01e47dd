#include "../online/LoopbackServer.h"

#include "app/TfmMain.h"
#include "documents/DocumentCommands.h"
#include "documents/ReadingDocument.h"
#include "speech/MediaPlayerBar.h"

#include "support/TestSupport.h"

#include <QAction>
#include <QFile>
#include <QLineEdit>
#include <QMediaPlayer>
#include <QPushButton>
#include <QSlider>
#include <QTest>
#include <QToolButton>
#include <QtEndian>

namespace {

// Two seconds of silence as a mono 8 kHz 8-bit wave file.
QByteArray silentWave() {
    const QByteArray pcm(16000, char(0x80));
    QByteArray head(
        "RIFF\0\0\0\0WAVEfmt \x10\0\0\0\x01\0\x01\0\x40\x1f\0\0\x40\x1f\0\0\x01\0\x08\0data\0\0\0\0", 44);
    qToLittleEndian<quint32>(quint32(36 + pcm.size()), head.data() + 4);
    qToLittleEndian<quint32>(quint32(pcm.size()), head.data() + 40);
    return head + pcm;
}

} // namespace

// The read button, the audio file row and the document commands meet the real player.
class PlaybackWiringTest : public QObject {
    Q_OBJECT
    TestEnvironment env;
    LoopbackServer server;
    std::shared_ptr<ScriptedDialogs> dialogs;
    QString voice;

    static MediaPlayerBar& player(TfmMain& w) {
        auto* bar = w.findChild<MediaPlayerBar*>(QStringLiteral("wmp1"));
        Q_ASSERT(bar);
        return *bar;
    }
    static bool playing(TfmMain& w) {
        return player(w).player().playbackState() == QMediaPlayer::PlayingState;
    }

private slots:
    void initTestCase() {
        voice = env.path(QStringLiteral("voice.wav"));
        QFile file(voice);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(silentWave());
        server.answer("/voice.wav", silentWave());
    }

    void init() { dialogs = ScriptedDialogs::install(); }

    void playerSitsInTheBottomStrip() {
        TfmMain w({});
        MediaPlayerBar& bar = player(w);
        QCOMPARE(bar.parentWidget(), w.playerHost);
        QCOMPARE(bar.volumeSlider->value(), 50);
        QVERIFY(bar.player().source().isEmpty());
    }

    void readButtonPlaysTheDocumentsRecordingUntilANewDocument() {
        const QString path = env.path(QStringLiteral("with voice.vbd"));
        WriteDocumentFile(path, {QStringLiteral("Hello"), QString(), QString(),
                                 server.url(QStringLiteral("/voice.wav")), voice});
        TfmMain w({path});
        QCOMPARE(w.BtnRead->text(), kReadHuman);
        w.BtnRead->click();
        QCOMPARE(player(w).URL(), voice);
        QTRY_VERIFY_WITH_TIMEOUT(playing(w), 10000);

        w.N13->trigger(); // a new document stops and empties the player
        QCOMPARE(player(w).player().playbackState(), QMediaPlayer::StoppedState);
        QVERIFY(player(w).player().source().isEmpty());
        QCOMPARE(w.BtnRead->text(), kReadTts);
        w.BtnRead->click(); // synthetic speech now; the player stays empty
        QVERIFY(player(w).player().source().isEmpty());
    }

    void attachingPlaysAtOnceAndKeepsTheReadMode() {
        TfmMain w({});
        QCOMPARE(w.BtnRead->text(), kReadTts);
        dialogs->answerFile(voice);
        w.SpeedButton1->click();
        QCOMPARE(w.Edit2->text(), voice);
        QTRY_VERIFY_WITH_TIMEOUT(playing(w), 10000);
        QCOMPARE(w.BtnRead->text(), kReadTts);
    }

    void downloadButtonSavesThroughTheServer() {
        TfmMain w({});
        const QString saved = env.path(QStringLiteral("copy.wav"));
        w.Edit1->setText(server.url(QStringLiteral("/voice.wav")));
        dialogs->answerFile(saved);
        w.SpeedButton2->click();
        QCOMPARE(dialogs->messages, QStringList{QStringLiteral("下载成功，已保存到指定目录。")});
        QFile file(saved);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), silentWave());
        QCOMPARE(w.Edit2->text(), saved);
        QCOMPARE(player(w).URL(), saved);
        QTRY_VERIFY_WITH_TIMEOUT(playing(w), 10000);
    }

    void failedDownloadChangesNothing() {
        TfmMain w({});
        w.Edit1->setText(server.url(QStringLiteral("/missing.wav")));
        w.Edit2->setText(voice);
        w.SpeedButton1->click(); // cancelled: nothing attached, nothing played
        QVERIFY(player(w).player().source().isEmpty());
        const QString target = env.path(QStringLiteral("never.wav"));
        dialogs->answerFile(target);
        w.SpeedButton2->click();
        QVERIFY(dialogs->messages.isEmpty());
        QVERIFY(!QFile::exists(target));
        QCOMPARE(w.Edit2->text(), voice);
        QVERIFY(player(w).player().source().isEmpty());
    }
};

QTEST_MAIN(PlaybackWiringTest)
#include "tst_playbackwiring.moc"
