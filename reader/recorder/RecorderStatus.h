#pragma once

#include <QString>

namespace recorder {

enum class RecorderState { Idle = 0, Recording = 1, Playing = 2 };

// "正在录制 00:00:05"
QString recordingStatus(qint64 elapsedSeconds);
// "正在播放 40%": the share of the data already fed to the output. Data of no length is all fed.
QString playingStatus(qint64 position, qint64 size);

} // namespace recorder
