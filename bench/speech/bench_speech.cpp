// Export of a 5000-word text against the espeak-ng command writing the same text with the same
// voice; then the time from a read to the first samples in the audio sink. Ratio printed last.
#include "platform/speech/EspeakVoice.h"
#include "speech/SpeechExport.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTextStream>

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QTextStream out(stdout);
    QTemporaryDir dir;
    QString text;
    const QString sentence = QStringLiteral("Learners of English read this text aloud every day. ");
    for (int i = 0; i < 5000 / 9 + 1; ++i)
        text += sentence;
    QFile input(dir.filePath(QStringLiteral("text.txt")));
    input.open(QIODevice::WriteOnly);
    input.write(text.toUtf8());
    input.close();

    EspeakVoice voice;
    voice.setVoice(0); // en-us
    QElapsedTimer clock;
    clock.start();
    QProcess::execute(QStringLiteral("espeak-ng"),
                      {QStringLiteral("-v"), QStringLiteral("en-us"), QStringLiteral("-f"), input.fileName(),
                       QStringLiteral("-w"), dir.filePath(QStringLiteral("baseline.wav"))});
    const double baseline = clock.nsecsElapsed() / 1e6;
    clock.restart();
    ExportSpeech(voice, text, dir.filePath(QStringLiteral("export.wav")));
    const double ours = clock.nsecsElapsed() / 1e6;

    double firstSample = -1;
    QEventLoop loop;
    QObject::connect(&voice, &EspeakVoice::audioHanded, &loop, [&] {
        if (firstSample < 0)
            firstSample = clock.nsecsElapsed() / 1e6;
        loop.quit();
    });
    clock.restart();
    voice.speak(text, SpeechEngine::Async | SpeechEngine::PurgeBeforeSpeak);
    loop.exec();
    voice.speak(QString(), SpeechEngine::PurgeBeforeSpeak);

    out << "first sample to the audio sink: " << firstSample << " ms (goal under 50 ms)\n";
    out << "espeak-ng command: " << baseline << " ms, export: " << ours << " ms\n";
    out << "export / espeak-ng ratio: " << ours / baseline << " (goal at most 1.2)" << Qt::endl;
    return 0;
}
