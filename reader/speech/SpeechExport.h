#pragma once

#include <QString>

#include <functional>

class SpeechEngine;

inline const QString kExportDone = QStringLiteral("文本已成功转换为音频文件，并导出为");

// Speaks text into a wave file (32 kHz, 8 bit, mono) with the engine's current voice, rate and
// volume. Speech that was sounding is dropped first. step gets the progress (0 to 1) while the
// engine renders and returns false to cancel. Returns false when cancelled: the file is then left
// as it was. Errors are thrown; the engine's output is the loudspeakers again afterwards.
bool ExportSpeech(SpeechEngine& engine, const QString& text, const QString& fileName,
                  const std::function<bool(double)>& step = {});
