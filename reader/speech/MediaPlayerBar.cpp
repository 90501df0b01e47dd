#include "MediaPlayerBar.h"

#include <QAudioOutput>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QMediaPlayer>
#include <QSlider>
#include <QStyle>
#include <QToolButton>

namespace {

constexpr int kInitialVolume = 50;

QString clock(qint64 ms) {
    const qint64 seconds = ms / 1000;
    return QStringLiteral("%1:%2")
        .arg(seconds / 60, 2, 10, QLatin1Char('0'))
        .arg(seconds % 60, 2, 10, QLatin1Char('0'));
}

QToolButton* transportButton(QWidget* parent, QStyle::StandardPixmap icon, const QString& name) {
    auto* button = new QToolButton(parent);
    button->setIcon(parent->style()->standardIcon(icon));
    button->setToolTip(name);
    button->setAccessibleName(name);
    button->setAutoRaise(true);
    return button;
}

} // namespace

QUrl MediaAddress(const QString& text) {
    // Blanks around a web address cannot belong to it; in a file name they can.
    const QUrl web(text.trimmed(), QUrl::StrictMode);
    static const QStringList schemes = {QStringLiteral("http"), QStringLiteral("https"),
                                        QStringLiteral("ftp"),  QStringLiteral("rtsp"),
                                        QStringLiteral("mms"),  QStringLiteral("file")};
    if (web.isValid() && schemes.contains(web.scheme().toLower()))
        return web;
    return QUrl::fromLocalFile(QFileInfo(text).absoluteFilePath());
}

MediaPlayerBar::MediaPlayerBar(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("wmp1"));
    setAccessibleName(QStringLiteral("媒体播放器"));
    playButton = transportButton(this, QStyle::SP_MediaPlay, QStringLiteral("播放"));
    pauseButton = transportButton(this, QStyle::SP_MediaPause, QStringLiteral("暂停"));
    stopButton = transportButton(this, QStyle::SP_MediaStop, QStringLiteral("停止"));
    positionSlider = new QSlider(Qt::Horizontal, this);
    positionSlider->setAccessibleName(QStringLiteral("播放位置"));
    positionSlider->setRange(0, 0);
    timeLabel = new QLabel(this);
    timeLabel->setAccessibleName(QStringLiteral("播放时间"));
    volumeSlider = new QSlider(Qt::Horizontal, this);
    volumeSlider->setAccessibleName(QStringLiteral("音量"));
    volumeSlider->setToolTip(volumeSlider->accessibleName());
    volumeSlider->setRange(0, 100);
    volumeSlider->setValue(kInitialVolume);
    volumeSlider->setFixedWidth(60);

    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(2);
    row->addWidget(playButton);
    row->addWidget(pauseButton);
    row->addWidget(stopButton);
    row->addWidget(positionSlider, 1);
    row->addWidget(timeLabel);
    row->addWidget(volumeSlider);

    connect(playButton, &QToolButton::clicked, this, [this] { player().play(); });
    connect(pauseButton, &QToolButton::clicked, this, [this] { player().pause(); });
    connect(stopButton, &QToolButton::clicked, this, [this] { player().stop(); });
    connect(volumeSlider, &QSlider::valueChanged, this, [this](int value) {
        if (output_)
            output_->setVolume(value / 100.0f);
    });
    connect(positionSlider, &QSlider::sliderMoved, this,
            [this](int position) { player().setPosition(position); });
    updateControls();
    updateTime();
}

QMediaPlayer& MediaPlayerBar::player() {
    if (player_)
        return *player_;
    // Made on first use: starting the media framework would hold up the reader's start.
    player_ = new QMediaPlayer(this);
    output_ = new QAudioOutput(this);
    output_->setVolume(volumeSlider->value() / 100.0f);
    player_->setAudioOutput(output_);
    connect(player_, &QMediaPlayer::durationChanged, this, [this](qint64 duration) {
        positionSlider->setRange(0, int(duration));
        updateTime();
    });
    connect(player_, &QMediaPlayer::positionChanged, this, [this](qint64 position) {
        if (!positionSlider->isSliderDown())
            positionSlider->setValue(int(position));
        updateTime();
    });
    connect(player_, &QMediaPlayer::playbackStateChanged, this, &MediaPlayerBar::updateControls);
    connect(player_, &QMediaPlayer::sourceChanged, this, &MediaPlayerBar::updateControls);
    return *player_;
}

void MediaPlayerBar::setURL(const QString& text) {
    url_ = text;
    if (text.trimmed().isEmpty()) {
        close();
        return;
    }
    // Stopping first makes the same address start again from its beginning.
    player().stop();
    player_->setSource(MediaAddress(text));
    player_->play();
}

void MediaPlayerBar::close() {
    if (!player_)
        return; // never used: nothing to stop
    player_->stop();
    player_->setSource(QUrl());
}

void MediaPlayerBar::updateControls() {
    const bool loaded = player_ && !player_->source().isEmpty();
    const QMediaPlayer::PlaybackState state = player_ ? player_->playbackState() : QMediaPlayer::StoppedState;
    playButton->setEnabled(loaded && state != QMediaPlayer::PlayingState);
    pauseButton->setEnabled(state == QMediaPlayer::PlayingState);
    stopButton->setEnabled(state != QMediaPlayer::StoppedState);
    positionSlider->setEnabled(loaded);
    if (!loaded) {
        positionSlider->setRange(0, 0);
        updateTime();
    }
}

void MediaPlayerBar::updateTime() {
    const bool loaded = player_ && !player_->source().isEmpty();
    timeLabel->setText(clock(loaded ? player_->position() : 0) + QStringLiteral(" / ") +
                       clock(loaded ? player_->duration() : 0));
}
