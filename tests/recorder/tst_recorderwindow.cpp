#include "recorder/TForm1.h"
#include "support/TestSupport.h"

#include "platform/audio/ConversionChain.h"
#include "platform/audio/FormatChooser.h"

#include <QAudioDevice>
#include <QComboBox>
#include <QListWidget>
#include <QMediaDevices>
#include <QProgressBar>
#include <QPushButton>
#include <QtEndian>
#include <QtTest>

using audio::WaveFormat;

namespace {

// The test environment moves XDG_RUNTIME_DIR and XDG_CONFIG_HOME away; keep the sound server
// and its cookie reachable.
struct KeepSoundServer {
    KeepSoundServer() {
        const QString runtime = qEnvironmentVariable("PULSE_RUNTIME_PATH",
                                                     qEnvironmentVariable("XDG_RUNTIME_DIR") + u"/pulse"_qs);
        if (!qEnvironmentVariableIsSet("PULSE_SERVER") && QFile::exists(runtime + u"/native"_qs))
            qputenv("PULSE_SERVER", (u"unix:"_qs + runtime + u"/native"_qs).toUtf8());
        const QString config = qEnvironmentVariable("XDG_CONFIG_HOME", QDir::homePath() + u"/.config"_qs);
        if (!qEnvironmentVariableIsSet("PULSE_COOKIE") && QFile::exists(config + u"/pulse/cookie"_qs))
            qputenv("PULSE_COOKIE", (config + u"/pulse/cookie"_qs).toUtf8());
    }
};

struct WaveFile {
    QByteArray bytes;
    WaveFormat format;
    QByteArray data;
};

WaveFile readWave(const QString& path) {
    QFile file(path);
    file.open(QIODevice::ReadOnly);
    WaveFile wave{file.readAll(), {}, {}};
    QBuffer buffer(&wave.bytes);
    buffer.open(QIODevice::ReadOnly);
    audio::RiffWaveReader reader(buffer);
    wave.format = reader.format();
    wave.data = wave.bytes.mid(reader.dataOffset(), reader.dataSize());
    return wave;
}

// Decodes to 16-bit mono and counts zero crossings after a settling time.
double dominantFrequency(const WaveFile& wave) {
    const int rate = static_cast<int>(wave.format.samplesPerSec);
    audio::ConversionChain chain(wave.format, WaveFormat::pcm(wave.format.samplesPerSec, 16, 1));
    const QByteArray pcm = chain.push(wave.data);
    const qsizetype count = pcm.size() / 2;
    const qsizetype skip = rate / 4;
    int crossings = 0;
    double energy = 0;
    std::int16_t previous = 0;
    for (qsizetype i = skip; i < count; ++i) {
        const auto s = qFromLittleEndian<std::int16_t>(pcm.constData() + 2 * i);
        crossings += i > skip && (previous < 0) != (s < 0);
        energy += double(s) * s;
        previous = s;
    }
    if (count <= skip || energy / (count - skip) < 1e4)
        return 0; // silence has no pitch
    return crossings / 2.0 / (double(count - skip) / rate);
}

void writeWave(const QString& path, const WaveFormat& format, const QByteArray& data) {
    QFile file(path);
    file.open(QIODevice::WriteOnly | QIODevice::Truncate);
    const QByteArray fmt = format.toBytes();
    auto dword = [](std::uint32_t v) {
        QByteArray b(4, '\0');
        qToLittleEndian(v, b.data());
        return b;
    };
    file.write("RIFF" + dword(4 + 8 + fmt.size() + 8 + data.size()) + "WAVE" + "fmt " + dword(fmt.size()) +
               fmt + "data" + dword(data.size()) + data);
}

// Answers the format chooser that the next "格式" opens.
void chooseFormatNext(const WaveFormat& format, bool accept = true) {
    QTimer::singleShot(0, [format, accept] {
        auto* chooser = qobject_cast<audio::FormatChooser*>(QApplication::activeModalWidget());
        QVERIFY(chooser);
        QCOMPARE(chooser->windowTitle(), u"选择录制格式"_qs);
        chooser->setFormat(format);
        accept ? chooser->accept() : chooser->reject();
    });
}

} // namespace

class RecorderWindowTest : public QObject {
    Q_OBJECT
    KeepSoundServer sound_;
    TestEnvironment env_;
    std::shared_ptr<ScriptedDialogs> dialogs_;

    bool haveSound() const {
        return !QMediaDevices::defaultAudioInput().isNull() && !QMediaDevices::defaultAudioOutput().isNull();
    }

    void record(TForm1& form, int milliseconds) {
        form.btnRecord->click();
        QCOMPARE(form.recorderState(), TForm1::RecorderState::Recording);
        QTest::qWait(milliseconds);
        form.btnStop->click();
        QCOMPARE(form.recorderState(), TForm1::RecorderState::Idle);
    }

    void playToEnd(TForm1& form, int timeout) {
        form.btnPlay->click();
        QCOMPARE(form.recorderState(), TForm1::RecorderState::Playing);
        QTRY_COMPARE_WITH_TIMEOUT(form.recorderState(), TForm1::RecorderState::Idle, timeout);
        QCOMPARE(form.panelText(0), u"已停止"_qs);
    }

private slots:
    void initTestCase() { dialogs_ = ScriptedDialogs::install(); }
    void init() {
        QFile::remove(env_.path(u"Recorded.wav"_qs));
        dialogs_->messages.clear();
    }

    void freshStart() {
        TForm1 form;
        QCOMPARE(form.windowTitle(), u"蓝岸英语阅读器 - 录音机"_qs);
        QCOMPARE(form.recordedFile(), env_.path(u"Recorded.wav"_qs));
        QVERIFY(form.btnRecord->isEnabled());
        QVERIFY(!form.btnStop->isEnabled());
        QVERIFY(!form.btnPlay->isEnabled());
        QVERIFY(form.btnFormat->isEnabled());
        QCOMPARE(form.panelText(0), u"已停止"_qs);
        form.suiButton1->click();
        QVERIFY(dialogs_->fileRequests.isEmpty());
    }

    void formatChooser() {
        audio::FormatChooser chooser(WaveFormat::muLaw(22050, 2), u"选择录制格式"_qs);
        QCOMPARE(chooser.format(), WaveFormat::muLaw(22050, 2));
        chooser.cbTag->setCurrentIndex(chooser.cbTag->findText(u"GSM 6.10"_qs));
        QCOMPARE(chooser.format(), WaveFormat::gsm610(8000));

        TForm1 form;
        chooseFormatNext(WaveFormat::aLaw(8000, 1), false);
        form.btnFormat->click();
        QCOMPARE(form.RecordConvert->formatOut(), WaveFormat::pcm(11025, 8, 2));
    }

    void recordAndPlayBack_data() {
        QTest::addColumn<WaveFormat>("format");
        QTest::newRow("pcm 11025 8 bit stereo") << WaveFormat::pcm(11025, 8, 2);
        QTest::newRow("pcm 22050 16 bit mono") << WaveFormat::pcm(22050, 16, 1);
        QTest::newRow("ima adpcm 11025 mono") << WaveFormat::imaAdpcm(11025, 1);
        QTest::newRow("gsm 6.10") << WaveFormat::gsm610(8000);
    }
    void recordAndPlayBack() {
        if (!haveSound())
            QSKIP("no sound server");
        QFETCH(WaveFormat, format);
        TForm1 form;
        chooseFormatNext(format);
        form.btnFormat->click();
        QCOMPARE(form.RecordConvert->formatOut(), format);

        form.btnRecord->click();
        QCOMPARE(form.recorderState(), TForm1::RecorderState::Recording);
        QVERIFY(!form.btnRecord->isEnabled() && form.btnStop->isEnabled() && !form.btnPlay->isEnabled());
        QCOMPARE(form.lbSteps->item(0)->text(), u"录制转换步骤："_qs);
        QCOMPARE(form.lbSteps->item(1)->text(), QString(23, u'='));
        QCOMPARE(form.lbSteps->item(form.lbSteps->count() - 1)->text(), format.description());
        QTRY_COMPARE_WITH_TIMEOUT(form.panelText(0), u"正在录制 00:00:03"_qs, 4500);
        QCOMPARE(form.panelText(1), format.description());
        QVERIFY(!form.deOscilloscope1->points().isEmpty());
        QCOMPARE(form.deOscilloscope1->points().first().size(), 200);
        form.btnStop->click();
        QCOMPARE(form.panelText(0), u"已停止"_qs);
        QVERIFY(form.btnPlay->isEnabled());

        const WaveFile wave = readWave(form.recordedFile());
        QCOMPARE(qFromLittleEndian<std::uint32_t>(wave.bytes.constData() + 4),
                 std::uint32_t(wave.bytes.size() - 8));
        QCOMPARE(wave.format, format);
        QCOMPARE(wave.bytes.mid(20, wave.format.toBytes().size()), format.toBytes());
        QCOMPARE(wave.data.size() % format.blockAlign, 0);
        const double seconds = double(wave.data.size()) / format.avgBytesPerSec;
        QVERIFY2(seconds > 2.5 && seconds < 4.5, // test sound servers may deliver ahead of real time
                 qPrintable(QString::number(seconds)));
        const double pitch = dominantFrequency(wave);
        QVERIFY2(std::abs(pitch - 440) < 15, qPrintable(QString::number(pitch)));

        playToEnd(form, 10000);
        QCOMPARE(form.lbSteps->item(0)->text(), u"播放转换步骤："_qs);
        QCOMPARE(form.lbSteps->item(1)->text(), QString(21, u'='));
        QCOMPARE(form.lbSteps->item(2)->text(), format.description());
        QCOMPARE(form.pbPlayback->value(), form.pbPlayback->maximum());
        QCOMPARE(form.panelText(1), format.description());
    }

    void pauseAndResume() {
        if (!haveSound())
            QSKIP("no sound server");
        TForm1 form;
        record(form, 2000);
        form.btnPlay->click();
        QTest::qWait(700);
        form.btnPlay->click(); // pause
        QVERIFY(form.deAudioOut->isPaused());
        QCOMPARE(form.recorderState(), TForm1::RecorderState::Playing);
        QTest::qWait(300);
        const int position = form.pbPlayback->value();
        const QString status = form.panelText(0);
        QVERIFY(status.startsWith(u"正在播放 "_qs) && status.endsWith(u'%'));
        QTest::qWait(1500);
        QCOMPARE(form.pbPlayback->value(), position);
        QCOMPARE(form.recorderState(), TForm1::RecorderState::Playing);
        form.btnPlay->click(); // resume
        QVERIFY(!form.deAudioOut->isPaused());
        QTRY_COMPARE_WITH_TIMEOUT(form.recorderState(), TForm1::RecorderState::Idle, 5000);
    }

    void stopDuringPlayback() {
        if (!haveSound())
            QSKIP("no sound server");
        TForm1 form;
        record(form, 1500);
        form.btnPlay->click();
        QTest::qWait(300);
        form.btnStop->click();
        QCOMPARE(form.recorderState(), TForm1::RecorderState::Idle);
        QCOMPARE(form.panelText(0), u"已停止"_qs);
        QVERIFY(form.panelText(1).isEmpty());
        QCOMPARE(form.pbPlayback->value(), 0);
        QTest::qWait(300);
        QCOMPARE(form.recorderState(), TForm1::RecorderState::Idle);
    }

    // Sound too short to fill the output's hold-back, and a data chunk with nothing in it.
    void shortAndEmptyFiles_data() {
        QTest::addColumn<int>("bytes");
        QTest::newRow("a quarter second") << 2756;
        QTest::newRow("empty data chunk") << 0;
    }
    void shortAndEmptyFiles() {
        if (!haveSound())
            QSKIP("no sound server");
        QFETCH(int, bytes);
        const WaveFormat format = WaveFormat::pcm(11025, 8, 1);
        writeWave(env_.path(u"Recorded.wav"_qs), format, QByteArray(bytes, '\x80'));
        TForm1 form;
        if (bytes > 0) {
            playToEnd(form, 3000);
        } else {
            form.btnPlay->click(); // nothing to wait for
            QCOMPARE(form.recorderState(), TForm1::RecorderState::Idle);
            QCOMPARE(form.panelText(0), u"已停止"_qs);
        }
        QCOMPARE(form.panelText(1), format.description());
        QVERIFY(dialogs_->messages.isEmpty());
    }

    void refusedFiles_data() {
        QTest::addColumn<bool>("empty");
        QTest::addColumn<QString>("message");
        QTest::newRow("left empty by a failed start") << true << u"Invalid file format."_qs;
        QTest::newRow("format we cannot play") << false << u"Conversion not possible."_qs;
    }
    void refusedFiles() {
        QFETCH(bool, empty);
        QFETCH(QString, message);
        const QString path = env_.path(u"Recorded.wav"_qs);
        if (empty)
            QFile(path).open(QIODevice::WriteOnly);
        else
            writeWave(path, WaveFormat::pcm(11025, 24, 1), QByteArray(30, '\0'));
        TForm1 form;
        form.btnPlay->click();
        QCOMPARE(dialogs_->messages, QStringList{message});
        QCOMPARE(form.recorderState(), TForm1::RecorderState::Idle);
        QVERIFY(form.btnRecord->isEnabled() && form.btnPlay->isEnabled());
    }

    void saveCopies() {
        const QByteArray content = "RIFF recording";
        QFile recorded(env_.path(u"Recorded.wav"_qs));
        QVERIFY(recorded.open(QIODevice::WriteOnly));
        recorded.write(content);
        recorded.close();
        const QString target = env_.path(u"copy.wav"_qs);
        QFile old(target);
        QVERIFY(old.open(QIODevice::WriteOnly));
        old.write("an older and longer file");
        old.close();

        TForm1 form;
        dialogs_->cancelNext();
        form.suiButton1->click();
        dialogs_->answerFile(target);
        form.suiButton1->click();
        QCOMPARE(dialogs_->fileRequests.size(), 2);
        const FileDialogRequest request = dialogs_->fileRequests.last();
        QCOMPARE(request.filter, u"wav音频文件(*.wav)|*.wav"_qs);
        QCOMPARE(request.defaultSuffix, u"wav"_qs);
        QVERIFY(request.overwritePrompt);
        QVERIFY(old.open(QIODevice::ReadOnly));
        QCOMPARE(old.readAll(), content);
        QVERIFY(dialogs_->messages.isEmpty());
    }

    void closingLeavesRecordingRunning() {
        if (!haveSound())
            QSKIP("no sound server");
        TForm1 form;
        form.show();
        form.btnRecord->click();
        form.suiButton2->click();
        QVERIFY(!form.isVisible());
        QTest::qWait(1500);
        form.show();
        QCOMPARE(form.recorderState(), TForm1::RecorderState::Recording);
        QTRY_COMPARE_WITH_TIMEOUT(form.panelText(0), u"正在录制 00:00:02"_qs, 1500);
        form.btnStop->click();
        QVERIFY(readWave(form.recordedFile()).data.size() > 22050 * 3 / 2);
    }

    void recordingRunningAtProgramEndIsCompleted() {
        if (!haveSound())
            QSKIP("no sound server");
        {
            TForm1 form;
            form.btnRecord->click();
            QTest::qWait(1000);
        }
        const WaveFile wave = readWave(env_.path(u"Recorded.wav"_qs));
        QCOMPARE(qFromLittleEndian<std::uint32_t>(wave.bytes.constData() + 4),
                 std::uint32_t(wave.bytes.size() - 8));
        QCOMPARE(qsizetype(wave.bytes.size()), 44 + wave.data.size() + wave.data.size() % 2);
        QVERIFY(wave.data.size() > 22050 / 2);
    }
};

QTEST_MAIN(RecorderWindowTest)
#include "tst_recorderwindow.moc"
