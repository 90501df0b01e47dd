#include "RecorderStatus.h"

namespace recorder {

QString recordingStatus(qint64 elapsedSeconds) {
    const qint64 s = std::max<qint64>(0, elapsedSeconds);
    return QStringLiteral("正在录制 %1:%2:%3")
        .arg(s / 3600, 2, 10, QLatin1Char('0'))
        .arg(s / 60 % 60, 2, 10, QLatin1Char('0'))
        .arg(s % 60, 2, 10, QLatin1Char('0'));
}

QString playingStatus(qint64 position, qint64 size) {
    const qint64 percent = size > 0 ? position * 100 / size : 100;
    return QStringLiteral("正在播放 %1%").arg(percent);
}

} // namespace recorder
