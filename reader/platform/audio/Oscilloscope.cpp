#include "Oscilloscope.h"

#include "AudioProducer.h"

#include <QPainter>
#include <QtEndian>

namespace audio {

Oscilloscope::Oscilloscope(QWidget* parent) : QWidget(parent) {
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void Oscilloscope::setAudioControlSource(AudioProducer* source) {
    connect(source, &AudioProducer::audioData, this, &Oscilloscope::showData);
}

void Oscilloscope::showData(const QByteArray& block, const WaveFormat& format) {
    if (!format.isPcm() || format.blockAlign == 0)
        return;
    const qsizetype frames = block.size() / format.blockAlign;
    if (frames == 0)
        return;
    points_ = QList<QList<double>>(format.channels);
    for (int c = 0; c < format.channels; ++c) {
        auto& line = points_[c];
        line.reserve(numberOfPoints_);
        for (int i = 0; i < numberOfPoints_; ++i) {
            const qsizetype frame = i * frames / numberOfPoints_;
            const char* at = block.constData() + frame * format.blockAlign + c * format.bitsPerSample / 8;
            line << (format.bitsPerSample == 8 ? (static_cast<unsigned char>(*at) - 128) / 128.0
                                               : qFromLittleEndian<std::int16_t>(at) / 32768.0);
        }
    }
    update();
}

void Oscilloscope::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), backgroundColor);
    const double middle = height() / 2.0;
    for (qsizetype c = 0; c < points_.size(); ++c) {
        const auto& line = points_[c];
        if (line.size() < 2)
            continue;
        QPolygonF polygon;
        for (qsizetype i = 0; i < line.size(); ++i)
            polygon << QPointF(i * (width() - 1.0) / (line.size() - 1), middle - line[i] * (middle - 1));
        painter.setPen(c == 0 ? leftPen : rightPen);
        painter.drawPolyline(polygon);
    }
}

} // namespace audio
