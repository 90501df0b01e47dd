#pragma once

#include <QObject>
#include <QString>

#include <functional>

class MediaPlayerBar;
class QLineEdit;
class QWidget;

// The controls the recorded-voice commands work on.
struct RecordedVoiceView {
    QWidget& window;
    QLineEdit& address;   // Edit1, hidden
    QLineEdit& localFile; // Edit2
    MediaPlayerBar& player;
};

// Fetches an address into a file and tells whether the file was written.
using DownloadHook = std::function<bool(const QString& url, const QString& path)>;

inline const QString kAudioFilter = QStringLiteral("音频文件|*.mp3;*.wav|所有文件|*.*");
inline const QString kNoRecording = QStringLiteral("没有当前语音文件！");
inline const QString kRecordingSaved = QStringLiteral("下载成功，已保存到指定目录。");

// Playback of the recording that belongs to a document: the local audio file or its address.
class RecordedVoice : public QObject {
    Q_OBJECT
public:
    RecordedVoice(RecordedVoiceView view, DownloadHook download, QObject* parent = nullptr);

    void PlayRecording();     // the read button while it shows the recorded-voice mode
    void SpeedButton1Click(); // attach a local audio file and play it
    void SpeedButton2Click(); // save a copy of the recording at the address and attach it
    void StopPlayback();      // before a document is loaded or a new one is started

private:
    RecordedVoiceView view_;
    DownloadHook download_;
};
