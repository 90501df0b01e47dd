#pragma once

#include "ConversionChain.h"

#include <QObject>
#include <QStringList>

#include <memory>

namespace audio {

// Converts pushed blocks from one format to another; each converted block is announced.
class AudioConvertor : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;
    ~AudioConvertor() override;

    void setFormatIn(const WaveFormat& format) { formatIn_ = format; }
    void setFormatOut(const WaveFormat& format) { formatOut_ = format; }
    const WaveFormat& formatIn() const { return formatIn_; }
    const WaveFormat& formatOut() const { return formatOut_; }

    // Builds the chain; throws "Conversion not possible.".
    void open();
    void close() { chain_.reset(); }
    bool isOpen() const { return chain_ != nullptr; }
    // One description per format of the chain, input first and output last.
    QStringList formatList() const;
    void push(const QByteArray& block);

signals:
    void audioConverted(const QByteArray& block);

private:
    WaveFormat formatIn_;
    WaveFormat formatOut_;
    std::unique_ptr<ConversionChain> chain_;
};

} // namespace audio
