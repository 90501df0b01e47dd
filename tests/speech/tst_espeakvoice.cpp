#include "platform/speech/EspeakVoice.h"
#include "speech/SpeakCommand.h"
#include "speech/SpeechExport.h"
#include "support/TestSupport.h"

#include <QAudioDevice>
#include <QFile>
#include <QMediaDevices>
#include <QtTest>

#include <algorithm>

namespace {

const QString kText = QStringLiteral("Reading aloud helps learners hear how English sounds.");

QByteArray samplesOf(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return file.readAll().mid(44);
}

int peak(const QByteArray& samples) {
    int most = 0;
    for (char c : samples)
        most = std::max(most, std::abs(int(static_cast<unsigned char>(c)) - 128));
    return most;
}

} // namespace

// The real engine: espeak-ng, and the sound server for the loudspeaker path.
class EspeakVoiceTest : public QObject {
    Q_OBJECT
    TestEnvironment env;
    EspeakVoice voice;

private slots:
    void listsEveryVoiceAmericanEnglishFirst() {
        const QStringList names = voice.voices();
        QVERIFY(names.size() > 20);
        QCOMPARE(names.first(), QStringLiteral("English (America)"));
        QCOMPARE(voice.voices(), names);
        QVERIFY(!names.join(QString()).contains(QLatin1Char('_')));
    }

    void exportIsAudibleAndFasterIsShorter() {
        const QString normal = env.path(QStringLiteral("normal.wav"));
        const QString fast = env.path(QStringLiteral("fast.wav"));
        voice.setVoice(0);
        QVERIFY(ExportSpeech(voice, kText, normal));
        voice.setRate(10);
        QVERIFY(ExportSpeech(voice, kText, fast));
        voice.setRate(0);
        const QByteArray a = samplesOf(normal), b = samplesOf(fast);
        QVERIFY2(a.size() > 32000, "at least a second of speech");
        QVERIFY(peak(a) > 20);
        QVERIFY(b.size() < a.size() * 3 / 4);
    }

    void cancelledExportLeavesNoFile() {
        const QString path = env.path(QStringLiteral("cancelled.wav"));
        QString longText;
        for (int i = 0; i < 200; ++i)
            longText += kText + QLatin1Char(' ');
        QVERIFY(!ExportSpeech(voice, longText, path, [](double) { return false; }));
        QVERIFY(!QFile::exists(path));
    }

    void pauseHoldsAndPurgeSilences() {
        if (QMediaDevices::defaultAudioOutput().isNull())
            QSKIP("no sound device");
        QString longText;
        for (int i = 0; i < 20; ++i)
            longText += kText + QLatin1Char(' ');
        voice.speak(longText, SpeechEngine::Async | SpeechEngine::PurgeBeforeSpeak);
        QTRY_VERIFY(voice.bytesHandedToSink() > 0);
        voice.pause();
        const qint64 held = voice.bytesHandedToSink();
        QTest::qWait(400);
        QCOMPARE(voice.bytesHandedToSink(), held);
        voice.resume();
        QTRY_VERIFY(voice.bytesHandedToSink() > held);
        voice.speak(QString(), SpeechEngine::PurgeBeforeSpeak);
        const qint64 silenced = voice.bytesHandedToSink();
        QTest::qWait(400);
        QCOMPARE(voice.bytesHandedToSink(), silenced);
    }

    void speakCommandWritesTheDocumentsLeftText() {
        const QString out = env.path(QStringLiteral("cmd.wav"));
        QString o, e;
        QTextStream outStream(&o), errStream(&e);
        QCOMPARE(RunSpeakCommand({QStringLiteral("--list-voices")}, outStream, errStream), 0);
        QVERIFY(o.startsWith(QStringLiteral("0\ten-us\tEnglish (America)")));
        QCOMPARE(RunSpeakCommand({QStringLiteral("--rate"), QStringLiteral("11"), QStringLiteral("-o"), out},
                                 outStream, errStream),
                 1);
        QVERIFY(e.contains(QStringLiteral("--rate")));
        QCOMPARE(
            RunSpeakCommand({QStringLiteral("missing.vbd"), QStringLiteral("-o"), out}, outStream, errStream),
            1);
        QVERIFY(!QFile::exists(out));
    }
};

QTEST_MAIN(EspeakVoiceTest)
#include "tst_espeakvoice.moc"
