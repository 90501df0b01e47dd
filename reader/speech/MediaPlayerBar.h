#pragma once

#include <QString>
#include <QUrl>
#include <QWidget>

class QAudioOutput;
class QLabel;
class QMediaPlayer;
class QSlider;
class QToolButton;

// What the player makes of an address: a web address when it names a known scheme, otherwise
// a file path, taken as it stands (blanks included) and made absolute against the working folder.
QUrl MediaAddress(const QString& text);

// The media player of the bottom strip: Qt Multimedia's player at volume 50 with a small transport
// bar of its own. Setting an address starts playback at once; failures stay silent.
class MediaPlayerBar : public QWidget {
    Q_OBJECT
public:
    explicit MediaPlayerBar(QWidget* parent = nullptr);

    // A file path or a web address; an empty text stops the player and empties it.
    void setURL(const QString& text);
    QString URL() const { return url_; }
    void close();

    QMediaPlayer& player(); // made on first use

    QToolButton* playButton = nullptr;
    QToolButton* pauseButton = nullptr;
    QToolButton* stopButton = nullptr;
    QSlider* positionSlider = nullptr;
    QSlider* volumeSlider = nullptr;
    QLabel* timeLabel = nullptr; // elapsed / total

private:
    void updateControls();
    void updateTime();

    QMediaPlayer* player_ = nullptr;
    QAudioOutput* output_ = nullptr;
    QString url_;
};
