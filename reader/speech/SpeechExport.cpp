#include "SpeechExport.h"

#include "platform/speech/SpeechEngine.h"
#include "platform/speech/WaveFileStream.h"

#include <QScopeGuard>

namespace {
constexpr int kStepMilliseconds = 50;
}

bool ExportSpeech(SpeechEngine& engine, const QString& text, const QString& fileName,
                  const std::function<bool(double)>& step) {
    WaveFileStream stream;
    stream.setFormatType(WaveFileStream::k32kHz8BitMono);
    stream.open(fileName);
    engine.speak(QString(), SpeechEngine::PurgeBeforeSpeak);
    engine.setOutput(&stream);
    const auto restore = qScopeGuard([&] { engine.setOutput(nullptr); });
    engine.speak(text, SpeechEngine::Async);
    while (!engine.waitUntilDone(kStepMilliseconds)) {
        if (step && !step(engine.progress())) {
            engine.speak(QString(), SpeechEngine::PurgeBeforeSpeak);
            engine.waitUntilDone(-1);
            stream.cancel();
            return false;
        }
    }
    stream.close();
    return true;
}
