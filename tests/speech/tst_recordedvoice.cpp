#include "../online/LoopbackServer.h"

#include "speech/MediaPlayerBar.h"
#include "speech/RecordedVoice.h"

#include "support/TestSupport.h"

#include <QFile>
#include <QLineEdit>
#include <QMediaPlayer>
#include <QProcess>
#include <QStandardPaths>
#include <QTest>
#include <QtEndian>

#include <cmath>

namespace {

constexpr int kRate = 8000;

// A mono 16-bit sine tone as a wave file.
QByteArray waveTone(int milliseconds) {
    const int samples = kRate * milliseconds / 1000;
    QByteArray pcm(samples * 2, Qt::Uninitialized);
    for (int i = 0; i < samples; ++i)
        qToLittleEndian<qint16>(qint16(8000 * std::sin(2 * M_PI * 440 * i / kRate)), pcm.data() + 2 * i);
    QByteArray head;
    const auto u32 = [&head](quint32 v) {
        head += QByteArray(4, 0), qToLittleEndian(v, head.data() + head.size() - 4);
    };
    const auto u16 = [&head](quint16 v) {
        head += QByteArray(2, 0), qToLittleEndian(v, head.data() + head.size() - 2);
    };
    head += "RIFF";
    u32(36 + pcm.size());
    head += "WAVEfmt ";
    u32(16), u16(1), u16(1), u32(kRate), u32(kRate * 2), u16(2), u16(16);
    head += "data";
    u32(pcm.size());
    return head + pcm;
}

void writeFile(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

} // namespace

// Choosing, attaching, downloading and stopping the recording, through the real player.
class RecordedVoiceTest : public QObject {
    Q_OBJECT
    TestEnvironment env;
    LoopbackServer server;
    std::shared_ptr<ScriptedDialogs> dialogs;
    QString shortTone; // plays for a fraction of a second
    QString longTone;  // long enough to be caught mid-way

    struct Fixture {
        QWidget window;
        QLineEdit address{&window};
        QLineEdit localFile{&window};
        MediaPlayerBar player{&window};
        QStringList downloads;
        std::function<bool(const QString&, const QString&)> download;
        RecordedVoice voice{{window, address, localFile, player},
                            [this](const QString& url, const QString& path) {
                                downloads << url + QLatin1String(" -> ") + path;
                                return download ? download(url, path) : false;
                            }};
    };

    static bool playing(MediaPlayerBar& player) {
        return player.player().playbackState() == QMediaPlayer::PlayingState;
    }

private slots:
    void initTestCase() {
        shortTone = env.path(QStringLiteral("short.wav"));
        longTone = env.path(QStringLiteral("long.wav"));
        writeFile(shortTone, waveTone(300));
        writeFile(longTone, waveTone(4000));
        server.answer("/voice.wav", waveTone(300));
    }

    void init() { dialogs = ScriptedDialogs::install(); }

    void localFilesPlayToTheirEnd_data() {
        QTest::addColumn<QString>("format");
        QTest::newRow("wave") << QStringLiteral("wav");
        QTest::newRow("mp3") << QStringLiteral("mp3");
    }

    void localFilesPlayToTheirEnd() {
        QFETCH(QString, format);
        QString path = shortTone;
        if (format != QLatin1String("wav")) {
            if (QStandardPaths::findExecutable(QStringLiteral("sox")).isEmpty())
                QSKIP("sox is needed to make the compressed sample");
            path = env.path(QStringLiteral("short.") + format);
            QCOMPARE(QProcess::execute(QStringLiteral("sox"), {shortTone, path}), 0);
        }
        Fixture f;
        f.localFile.setText(path);
        f.voice.PlayRecording();
        QCOMPARE(f.player.player().source(), QUrl::fromLocalFile(path));
        QTRY_VERIFY_WITH_TIMEOUT(f.player.player().mediaStatus() == QMediaPlayer::EndOfMedia, 10000);
        QVERIFY(f.player.player().duration() > 0);
        QCOMPARE(f.player.player().error(), QMediaPlayer::NoError);
    }

    void anAddressOnTheServerPlays() {
        Fixture f;
        f.address.setText(server.url(QStringLiteral("/voice.wav")));
        const int before = server.requests;
        f.voice.PlayRecording();
        QTRY_VERIFY_WITH_TIMEOUT(f.player.player().mediaStatus() == QMediaPlayer::EndOfMedia, 10000);
        QVERIFY(server.requests > before);
        QCOMPARE(f.player.player().error(), QMediaPlayer::NoError);
    }

    // Which text the player is given; blanks count only for the emptiness test.
    void readButtonPicksTheRecording_data() {
        QTest::addColumn<QString>("localFile");
        QTest::addColumn<QString>("address");
        QTest::addColumn<QString>("played");
        const QString url = QStringLiteral("http://127.0.0.1:1/none.mp3");
        const QString spaced = env.path(QStringLiteral("spaced.wav "));
        writeFile(spaced, waveTone(100));
        QTest::newRow("existing file before address") << shortTone << url << shortTone;
        QTest::newRow("missing file falls back") << env.path(QStringLiteral("gone.wav")) << url << url;
        QTest::newRow("missing file, no address")
            << env.path(QStringLiteral("gone.wav")) << QString() << QString();
        QTest::newRow("file only") << shortTone << QStringLiteral("  ") << shortTone;
        QTest::newRow("blank file name") << QStringLiteral("   ") << url << url;
        QTest::newRow("address kept untrimmed") << QString() << QStringLiteral(" ") + url + QLatin1Char(' ')
                                                << QStringLiteral(" ") + url + QLatin1Char(' ');
        QTest::newRow("blanks before an existing file") << QStringLiteral("  ") + shortTone << url << url;
        QTest::newRow("file whose name ends in a blank") << spaced << url << spaced;
        QTest::newRow("nothing") << QString() << QString() << QString();
    }

    void readButtonPicksTheRecording() {
        QFETCH(QString, localFile);
        QFETCH(QString, address);
        QFETCH(QString, played);
        Fixture f;
        f.localFile.setText(localFile);
        f.address.setText(address);
        f.voice.PlayRecording();
        QCOMPARE(f.player.URL(), played);
        QCOMPARE(f.player.player().source().isEmpty(), played.isEmpty());
        QCOMPARE(f.localFile.text(), localFile);
        QCOMPARE(f.address.text(), address);
    }

    void pressingAgainRestartsFromTheBeginning() {
        Fixture f;
        f.localFile.setText(longTone);
        f.voice.PlayRecording();
        QTRY_VERIFY_WITH_TIMEOUT(f.player.player().position() > 1500, 10000);
        f.voice.PlayRecording();
        QTRY_VERIFY_WITH_TIMEOUT(playing(f.player) && f.player.player().position() < 1000, 5000);
        QCOMPARE(f.player.URL(), longTone);
    }

    void nothingToPlayLeavesThePlayerAlone() {
        Fixture f;
        f.localFile.setText(longTone);
        f.voice.PlayRecording();
        QTRY_VERIFY_WITH_TIMEOUT(playing(f.player), 10000);
        f.localFile.setText(env.path(QStringLiteral("removed.wav")));
        f.voice.PlayRecording();
        QCOMPARE(f.player.URL(), longTone);
        QVERIFY(playing(f.player));
    }

    void stopPlaybackEmptiesThePlayer() {
        Fixture f;
        f.localFile.setText(longTone);
        f.voice.PlayRecording();
        QTRY_VERIFY_WITH_TIMEOUT(playing(f.player), 10000);
        f.voice.StopPlayback();
        QCOMPARE(f.player.player().playbackState(), QMediaPlayer::StoppedState);
        QVERIFY(f.player.player().source().isEmpty());
        QVERIFY(f.player.URL().isEmpty());
        QCOMPARE(f.localFile.text(), longTone); // the document's fields are not the player's
    }

    void attachingALocalFilePlaysIt() {
        Fixture f;
        f.address.setText(QStringLiteral("http://127.0.0.1:1/none.mp3"));
        dialogs->answerFile(shortTone);
        f.voice.SpeedButton1Click();
        QCOMPARE(dialogs->fileRequests.size(), 1);
        const FileDialogRequest request = dialogs->fileRequests.constFirst();
        QCOMPARE(request.filter, QStringLiteral("音频文件|*.mp3;*.wav|所有文件|*.*"));
        QCOMPARE(request.filterIndex, 1);
        QCOMPARE(request.defaultSuffix, QStringLiteral("mp3"));
        QVERIFY(!request.mustExist);
        QCOMPARE(f.localFile.text(), shortTone);
        QCOMPARE(f.player.URL(), shortTone);
        QTRY_VERIFY_WITH_TIMEOUT(f.player.player().mediaStatus() == QMediaPlayer::EndOfMedia, 10000);

        dialogs->cancelNext();
        f.voice.SpeedButton1Click();
        QCOMPARE(f.localFile.text(), shortTone);
    }

    void downloadNeedsAnAddress() {
        Fixture f;
        f.localFile.setText(shortTone);
        f.address.setText(QStringLiteral(" \t"));
        f.voice.SpeedButton2Click();
        QCOMPARE(dialogs->messages, QStringList{QStringLiteral("没有当前语音文件！")});
        QVERIFY(dialogs->fileRequests.isEmpty());
        QVERIFY(f.downloads.isEmpty());
    }

    void downloadSavesAndPlaysTheCopy() {
        Fixture f;
        const QString url = server.url(QStringLiteral("/voice.wav"));
        const QString saved = env.path(QStringLiteral("saved.mp3"));
        f.address.setText(url);
        f.download = [](const QString&, const QString& path) {
            writeFile(path, waveTone(300));
            return true;
        };
        dialogs->answerFile(saved);
        f.voice.SpeedButton2Click();
        const FileDialogRequest request = dialogs->fileRequests.value(0);
        QVERIFY(request.overwritePrompt);
        QCOMPARE(request.defaultSuffix, QStringLiteral("mp3"));
        QCOMPARE(f.downloads, QStringList{url + QLatin1String(" -> ") + saved});
        QCOMPARE(dialogs->messages, QStringList{QStringLiteral("下载成功，已保存到指定目录。")});
        QCOMPARE(f.localFile.text(), saved);
        QCOMPARE(f.player.URL(), saved);
        QTRY_VERIFY_WITH_TIMEOUT(f.player.player().mediaStatus() == QMediaPlayer::EndOfMedia, 10000);
    }

    void failedOrCancelledDownloadChangesNothing_data() {
        QTest::addColumn<bool>("cancel");
        QTest::newRow("download fails") << false;
        QTest::newRow("dialog cancelled") << true;
    }

    void failedOrCancelledDownloadChangesNothing() {
        QFETCH(bool, cancel);
        Fixture f;
        f.address.setText(server.url(QStringLiteral("/voice.wav")));
        f.localFile.setText(longTone);
        f.voice.PlayRecording();
        QTRY_VERIFY_WITH_TIMEOUT(playing(f.player), 10000);
        if (cancel)
            dialogs->cancelNext();
        else
            dialogs->answerFile(env.path(QStringLiteral("never.mp3")));
        f.voice.SpeedButton2Click();
        QCOMPARE(f.downloads.size(), cancel ? 0 : 1);
        QVERIFY(dialogs->messages.isEmpty());
        QCOMPARE(f.localFile.text(), longTone);
        QCOMPARE(f.player.URL(), longTone);
        QVERIFY(playing(f.player));
    }
};

QTEST_MAIN(RecordedVoiceTest)
#include "tst_recordedvoice.moc"
