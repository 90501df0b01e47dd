#pragma once

#include "WaveFormat.h"

#include <QColor>
#include <QList>
#include <QWidget>

namespace audio {

class AudioProducer;

// Draws the latest block of whatever it follows as one line per channel.
class Oscilloscope : public QWidget {
    Q_OBJECT
public:
    explicit Oscilloscope(QWidget* parent = nullptr);

    void setAudioControlSource(AudioProducer* source);
    void setNumberOfPoints(int points) { numberOfPoints_ = points; }
    int numberOfPoints() const { return numberOfPoints_; }

    QColor backgroundColor{51, 73, 149};
    QColor leftPen{136, 158, 231};
    QColor rightPen{231, 158, 136};

    // The points drawn, -1 to 1, per channel.
    const QList<QList<double>>& points() const { return points_; }
    void showData(const QByteArray& block, const audio::WaveFormat& format);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    int numberOfPoints_ = 200;
    QList<QList<double>> points_;
};

} // namespace audio
